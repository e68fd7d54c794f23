// The Qt headers most of the window's sources include, compiled once for the whole ui layer
// (a precompiled header of beastwright_ui). A source still includes what it uses; clang-tidy
// reads the sources without this header and so finds one that does not.
#pragma once

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QOpenGLContext>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>
