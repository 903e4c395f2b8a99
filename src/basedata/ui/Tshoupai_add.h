#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class TDM;

// 房间设置: one room's number and type, new or changed.
class Tshoupai_add : public QDialog {
    Q_OBJECT
public:
    explicit Tshoupai_add(TDM& dm, QWidget* parent = nullptr);

    void startNew();
    void startEdit(const QString& room, const QString& roomType);
    QLineEdit* roomEdit() const { return m_room; }
    QComboBox* typeBox() const { return m_type; }

public slots:
    void okClick();

signals:
    void saved(const QString& room);

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void fillTypes();

    TDM& m_dm;
    QString m_oldRoom;
    QString m_pendingType;
    QLineEdit* m_room;
    QComboBox* m_type;
};
