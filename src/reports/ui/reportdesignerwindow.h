#pragma once

#include "reports/reportdata.h"

#include <QDialog>
#include <QPrinter>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPrintPreviewWidget;
class QTableWidget;
class QTimer;

// The report designer: a template's HTML source beside a live preview fed with sample values,
// the variables and detail columns its callers supply, save and revert.
class ReportDesignerWindow : public QDialog {
    Q_OBJECT
public:
    // Opens `fileName` of the hotel folder; a file the hotel does not have yet starts from the
    // program's default. The sample data are the catalogue's for this template.
    ReportDesignerWindow(const QString& home, const QString& fileName, QWidget* parent = nullptr);
    ~ReportDesignerWindow() override;

    // Replaces the variables and rows the preview is fed with.
    void setSampleData(const ReportData& data);
    const QString& filePath() const { return m_path; }
    QString source() const;
    void setSource(const QString& html);
    bool isModified() const;
    // Names the template uses that the callers do not supply (they print empty).
    const QStringList& unknownVariables() const { return m_unknown; }

public slots:
    void refreshPreview();
    bool save();
    void revert();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void loadVariablesTable();
    ReportData dataFromTable() const;
    bool confirmDiscard();

    QString m_home;
    QString m_fileName;
    QString m_path;
    QString m_saved;
    ReportData m_sample;
    QStringList m_variableOrder; // the catalogue's order, as the callers' documents list them
    QStringList m_unknown;
    QPrinter m_printer;
    QPlainTextEdit* m_source = nullptr;
    QPrintPreviewWidget* m_preview = nullptr;
    QTableWidget* m_variables = nullptr;
    QLabel* m_columns = nullptr;
    QLabel* m_unknownLabel = nullptr;
    QLabel* m_status = nullptr;
    QTimer* m_debounce = nullptr;
};
