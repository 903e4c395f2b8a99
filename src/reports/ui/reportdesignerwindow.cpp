#include "reportdesignerwindow.h"

#include "core/hotelerror.h"
#include "reports/reportcatalog.h"
#include "reports/reportdocument.h"
#include "reports/reporttemplate.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

ReportDesignerWindow::ReportDesignerWindow(const QString& home, const QString& fileName, QWidget* parent)
    : QDialog(parent), m_home(home), m_printer(QPrinter::ScreenResolution) {
    m_path = ReportTemplate::pathIn(home, fileName);
    m_fileName = QFileInfo(m_path).fileName();
    setObjectName(QStringLiteral("ReportDesignerWindow"));
    setWindowTitle(QStringLiteral("报表设计 - ") + m_fileName);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    resize(1280, 800);

    m_source = new QPlainTextEdit(this);
    m_source->setObjectName(QStringLiteral("source"));
    m_source->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    m_source->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName(QStringLiteral("preview"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter* printer) {
        try {
            ReportDocument(ReportTemplate(m_fileName, source()), dataFromTable()).print(printer);
        } catch (const HotelError& e) {
            m_status->setText(e.message());
        }
    });

    m_variables = new QTableWidget(0, 2, this);
    m_variables->setObjectName(QStringLiteral("variables"));
    m_variables->setHorizontalHeaderLabels({QStringLiteral("变量"), QStringLiteral("示例值")});
    m_variables->horizontalHeader()->setStretchLastSection(true);
    m_variables->verticalHeader()->hide();
    m_variables->setToolTip(QStringLiteral("双击变量名，把 [变量] 插入到光标处；示例值只用于预览"));
    connect(m_variables, &QTableWidget::cellDoubleClicked, this, [this](int row, int column) {
        if (column != 0)
            return;
        m_source->insertPlainText(QStringLiteral("[%1]").arg(m_variables->item(row, 0)->text()));
        m_source->setFocus();
    });
    connect(m_variables, &QTableWidget::itemChanged, this, [this] { m_debounce->start(); });

    m_columns = new QLabel(this);
    m_columns->setObjectName(QStringLiteral("columns"));
    m_columns->setWordWrap(true);
    m_unknownLabel = new QLabel(this);
    m_unknownLabel->setObjectName(QStringLiteral("unknownVariables"));
    m_unknownLabel->setWordWrap(true);
    m_unknownLabel->setStyleSheet(QStringLiteral("color:#b00000;"));
    auto* help = new QLabel(this);
    help->setTextFormat(Qt::PlainText);
    help->setText(
        QStringLiteral("变量写作 [名字]；<!--明细--> 与 <!--/明细--> 之间的内容按每一行数据重复，"
                       "其中 [列名] 取该行的值，[序号] 为行号；[合计:列名] 为该列合计，[行数] 为行数。"
                       "纸张：<meta name=\"纸张\" content=\"A4\">，可用 A4、A5、80mm、58mm。"));
    help->setWordWrap(true);

    auto* side = new QWidget(this);
    auto* sideLayout = new QVBoxLayout(side);
    sideLayout->setContentsMargins(0, 0, 0, 0);
    sideLayout->addWidget(new QLabel(QStringLiteral("调用方提供的变量："), side));
    sideLayout->addWidget(m_variables, 1);
    sideLayout->addWidget(m_columns);
    sideLayout->addWidget(m_unknownLabel);
    sideLayout->addWidget(help);

    auto* splitter = new QSplitter(this);
    splitter->addWidget(m_source);
    splitter->addWidget(m_preview);
    splitter->addWidget(side);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 3);
    splitter->setStretchFactor(2, 2);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("status"));
    auto* saveButton = new QPushButton(QStringLiteral("保存"), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    auto* revertButton = new QPushButton(QStringLiteral("还原"), this);
    revertButton->setObjectName(QStringLiteral("revertButton"));
    auto* closeButton = new QPushButton(QStringLiteral("关闭"), this);
    closeButton->setObjectName(QStringLiteral("closeButton"));
    connect(saveButton, &QPushButton::clicked, this, &ReportDesignerWindow::save);
    connect(revertButton, &QPushButton::clicked, this, &ReportDesignerWindow::revert);
    connect(closeButton, &QPushButton::clicked, this, &ReportDesignerWindow::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_status, 1);
    buttons->addWidget(saveButton);
    buttons->addWidget(revertButton);
    buttons->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    // The preview follows typing once the typist pauses.
    m_debounce = new QTimer(this);
    m_debounce->setSingleShot(true);
    m_debounce->setInterval(400);
    connect(m_debounce, &QTimer::timeout, this, &ReportDesignerWindow::refreshPreview);
    connect(m_source, &QPlainTextEdit::textChanged, m_debounce, qOverload<>(&QTimer::start));

    if (const ReportCatalog::Entry* entry = ReportCatalog::find(m_fileName)) {
        m_sample = ReportCatalog::sampleData(*entry);
        m_variableOrder = entry->variables;
    }
    loadVariablesTable();
    revert();
}

ReportDesignerWindow::~ReportDesignerWindow() = default;

void ReportDesignerWindow::setSampleData(const ReportData& data) {
    m_sample = data;
    loadVariablesTable();
    refreshPreview();
}

QString ReportDesignerWindow::source() const {
    return m_source->toPlainText();
}

void ReportDesignerWindow::setSource(const QString& html) {
    m_source->setPlainText(html);
}

bool ReportDesignerWindow::isModified() const {
    return source() != m_saved;
}

void ReportDesignerWindow::loadVariablesTable() {
    const QSignalBlocker block(m_variables);
    m_variables->setRowCount(0);
    QStringList names;
    for (const QString& n : m_variableOrder)
        if (m_sample.hasVariable(n))
            names << n;
    for (const QString& n : m_sample.variables().keys())
        if (!names.contains(n))
            names << n;
    for (const QString& n : names) {
        const int row = m_variables->rowCount();
        m_variables->insertRow(row);
        auto* name = new QTableWidgetItem(n);
        name->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        m_variables->setItem(row, 0, name);
        m_variables->setItem(row, 1, new QTableWidgetItem(m_sample.variable(n)));
    }
    m_columns->setText(m_sample.columns().isEmpty()
                           ? QStringLiteral("明细列：无")
                           : QStringLiteral("明细列：") + m_sample.columns().join(QStringLiteral("、")));
}

ReportData ReportDesignerWindow::dataFromTable() const {
    ReportData data = m_sample;
    for (int r = 0; r < m_variables->rowCount(); ++r)
        data.setVariable(m_variables->item(r, 0)->text(), m_variables->item(r, 1)->text());
    return data;
}

void ReportDesignerWindow::refreshPreview() {
    m_debounce->stop();
    m_unknown = ReportTemplate(m_fileName, source()).expand(dataFromTable()).unknownVariables;
    m_unknownLabel->setText(m_unknown.isEmpty() ? QString()
                                                : QStringLiteral("未知变量（打印为空）：") +
                                                      m_unknown.join(QStringLiteral("、")));
    m_preview->updatePreview();
}

bool ReportDesignerWindow::save() {
    QSaveFile f(m_path);
    const QByteArray bytes = source().toUtf8();
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit()) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("无法保存“%1”：%2").arg(QDir::toNativeSeparators(m_path), f.errorString()));
        return false;
    }
    m_saved = source();
    m_status->setText(QStringLiteral("已保存 ") + QDir::toNativeSeparators(m_path));
    return true;
}

void ReportDesignerWindow::revert() {
    if (QFile::exists(m_path)) {
        m_saved = readText(m_path);
        m_status->setText(QDir::toNativeSeparators(m_path));
        setSource(m_saved);
    } else {
        // Not in the hotel folder yet: start from the program's default, unsaved.
        m_saved.clear();
        setSource(readText(QStringLiteral(":/reports/") + m_fileName));
        m_status->setText(QStringLiteral("新模板，尚未保存"));
    }
    refreshPreview();
}

bool ReportDesignerWindow::confirmDiscard() {
    if (!isModified())
        return true;
    const auto answer = QMessageBox::question(this, windowTitle(), QStringLiteral("模板已修改，是否保存？"),
                                              QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                                              QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

void ReportDesignerWindow::closeEvent(QCloseEvent* event) {
    if (confirmDiscard())
        event->accept();
    else
        event->ignore();
}

void ReportDesignerWindow::reject() {
    if (confirmDiscard())
        QDialog::reject();
}
