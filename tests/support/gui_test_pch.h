// Headers nearly every window test includes, compiled once for all of them (see
// bw_add_gui_test): the core tests' set and the Qt widgets. Not Qt's test headers: they read
// a macro naming each test's own build folder. A test still includes what it uses.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QWidget>

#include "support/core_test_pch.h"
