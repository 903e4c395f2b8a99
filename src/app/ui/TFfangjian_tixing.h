#pragma once

#include <QDialog>

class TDM;
class QLabel;
class QListWidget;

// The rooms a reminder timer wants attention for; clicking one shows its check-in time.
class TFfangjian_tixing : public QDialog {
    Q_OBJECT
public:
    explicit TFfangjian_tixing(TDM& dm, QWidget* parent = nullptr);
    void setRooms(const QStringList& rooms);
    void setDetail(const QString& checkInTime);
    QListWidget* list() const { return m_list; }
    QString detail() const;

private:
    TDM& m_dm;
    QListWidget* m_list;
    QLabel* m_detail;
};
