#pragma once

#include "article/Article.h"

#include <QDateTime>
#include <QStringList>
#include <QtGlobal>

// One entry of an article's history: the article as it was before a save changed it or a
// delete removed it.
struct KeptVersion
{
    qint64 historyId = 0;
    bool deleted = false;
    QDateTime changedAt; // UTC
    QString changedBy;
    // The columns the save changed (none for a delete).
    QStringList changedFields;
    // The fields and documents; filled only when a version is read whole.
    Article article;
    // The ten attachment slots, in order.
    QStringList attachments;
};
