#pragma once

// What the tests of the program's windows include: Quorvel running on a test database, its
// main and article windows, the session and the widgets the tests reach into.
#include "RunningQuorvel.h"
#include "SqlScript.h"
#include "db/Recordset.h"
#include "editor/frmDisplay.h"
#include "mainwindow/frmMain.h"
#include "profile/Prefs.h"
#include "richtext/RichTextBox.h"
#include "startup/Session.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
