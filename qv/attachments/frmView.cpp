#include "frmView.h"

#include "PictureArea.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Design units: 15 twips make one pixel at 96 dpi.
constexpr int px(int twips)
{
    return twips / 15;
}

frmView* g_viewer = nullptr;

} // namespace

const QString frmView::kDesignCaption = QStringLiteral("Orvane Image Viewer");

frmView::frmView()
{
    setObjectName(QStringLiteral("frmView"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(kDesignCaption);
    setSizeGripEnabled(true);

    Command1 = new QPushButton(QStringLiteral("&Close"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Image1 = new PictureArea(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Picture"));
    Image1->setMinimumSize(px(11340) / 4, px(7605) / 4);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(px(120), px(120), px(120), px(120));
    page->setSpacing(px(120));
    page->addWidget(Command1, 0, Qt::AlignLeft);
    page->addWidget(Image1, 1);
    // The picture area at its design size.
    resize(px(11340) + 2 * px(120), px(7605) + Command1->sizeHint().height() + 3 * px(120));

    // Escape rejects the dialog: both keys and the close box end in done().
    connect(Command1, &QPushButton::clicked, this, &QDialog::reject);
}

frmView::~frmView()
{
    if (g_viewer == this)
        g_viewer = nullptr;
}

frmView& frmView::instance()
{
    if (g_viewer == nullptr)
        g_viewer = new frmView;
    return *g_viewer;
}

frmView* frmView::current()
{
    return g_viewer;
}

void frmView::setPicture(const QImage& picture)
{
    Image1->setPicture(picture);
}

void frmView::done(int result)
{
    // Closed means gone: the next view makes a new viewer even before this one is deleted.
    if (g_viewer == this)
        g_viewer = nullptr;
    QDialog::done(result);
}
