#include "appstyle.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QPalette>
#include <QStyleFactory>

namespace AppStyle {

namespace {

const char kSheet[] = R"(
QMainWindow, QDialog { background: #f3f5f7; }
QMenuBar { background: #ffffff; border-bottom: 1px solid #dde2e7; padding: 2px 6px; }
QMenuBar::item { padding: 5px 12px; border-radius: 4px; }
QMenuBar::item:selected { background: #e6eef7; }
QMenu { background: #ffffff; border: 1px solid #d5dbe1; padding: 4px; }
QMenu::item { padding: 6px 26px 6px 22px; border-radius: 3px; }
QMenu::item:selected { background: #2f6fb0; color: white; }
QMenu::item:disabled { color: #a8b0b8; }
QToolBar { background: #ffffff; border: none; border-bottom: 1px solid #dde2e7; padding: 4px 8px; spacing: 4px; }
QToolBar QToolButton { padding: 5px 10px; border-radius: 5px; color: #2b3640; }
QToolBar QToolButton:hover { background: #e6eef7; }
QToolBar QToolButton:disabled { color: #a8b0b8; }
QGroupBox { background: #ffffff; border: 1px solid #dde2e7; border-radius: 6px; margin-top: 14px;
            padding: 12px 8px 8px 8px; font-weight: 600; color: #2b3640; }
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; color: #2f6fb0; }
QGroupBox QLabel { font-weight: normal; }
QTabWidget::pane { border: 1px solid #dde2e7; border-radius: 6px; background: #ffffff; top: -1px; }
QTabBar::tab { background: #e9edf1; color: #4a5561; padding: 6px 16px; border: 1px solid #dde2e7;
               border-bottom: none; border-top-left-radius: 5px; border-top-right-radius: 5px; margin-right: 2px; }
QTabBar::tab:selected { background: #ffffff; color: #1f5f9e; font-weight: 600; }
QTabBar::tab:hover:!selected { background: #f4f7fa; }
QListView { background: #ffffff; border: none; outline: 0; }
QListView::item { color: #2b3640; border-radius: 6px; padding: 2px; }
QListView::item:hover { background: #eef3f8; }
QListView::item:selected { background: #d6e6f7; color: #10345a; }
QTableView { background: #ffffff; alternate-background-color: #f7f9fb; gridline-color: #e6eaee;
             border: 1px solid #dde2e7; selection-background-color: #d6e6f7; selection-color: #10345a; }
QHeaderView::section { background: #eef1f4; color: #4a5561; padding: 5px 6px; border: none;
                       border-right: 1px solid #dde2e7; border-bottom: 1px solid #dde2e7; }
QLineEdit, QComboBox, QSpinBox, QTimeEdit, QPlainTextEdit { background: #ffffff; border: 1px solid #c9d1d9;
             border-radius: 4px; padding: 4px 6px; selection-background-color: #2f6fb0; }
QLineEdit:focus, QComboBox:focus, QSpinBox:focus, QTimeEdit:focus { border: 1px solid #2f6fb0; }
QPushButton { background: #ffffff; border: 1px solid #c3ccd5; border-radius: 4px; padding: 6px 18px; min-width: 64px; }
QPushButton:hover { background: #eef3f8; }
QPushButton:default { background: #2f6fb0; color: white; border-color: #2a629c; }
QPushButton:default:hover { background: #2a629c; }
QPushButton:disabled { color: #a8b0b8; }
QStatusBar { background: #ffffff; border-top: 1px solid #dde2e7; color: #4a5561; }
QStatusBar QLabel { padding: 2px 14px; border-right: 1px solid #e3e7eb; }
QLabel#moneyValue { font-size: 16pt; font-weight: 600; color: #1f5f9e; }
QLabel#gridFooter { background: #eef1f4; border: 1px solid #dde2e7; border-top: none; padding: 5px 10px; font-weight: 600; }
QLabel#hintLabel { color: #7a8590; font-size: 9pt; }
QLabel#infoValue { color: #1c2731; }
QLabel#loginTitle { font-size: 17pt; font-weight: 600; color: #1f5f9e; padding: 6px 0 4px 0; }
QLabel#legendCount { color: #4a5561; font-weight: 600; }
)";

} // namespace

void apply(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont f;
    for (const QString& family : {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("WenQuanYi Zen Hei"),
                                  QStringLiteral("WenQuanYi Micro Hei")}) {
        if (QFontDatabase::hasFamily(family)) {
            f = QFont(family);
            break;
        }
    }
    f.setPointSize(10);
    app.setFont(f);
    QPalette p = app.palette();
    p.setColor(QPalette::Window, QColor(0xf3f5f7));
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Highlight, QColor(0x2f6fb0));
    p.setColor(QPalette::Text, QColor(0x1c2731));
    p.setColor(QPalette::WindowText, QColor(0x2b3640));
    app.setPalette(p);
    app.setStyleSheet(QString::fromUtf8(kSheet));
}

bool applySkin(QApplication& app, const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    app.setStyleSheet(app.styleSheet() + u'\n' + QString::fromUtf8(f.readAll()));
    return true;
}

} // namespace AppStyle
