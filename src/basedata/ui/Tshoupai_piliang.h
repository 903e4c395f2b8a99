#pragma once

#include <QDialog>

class QComboBox;
class QLineEdit;
class TDM;

// 手牌批量增加: a range of room numbers with an optional prefix, all of one type.
class Tshoupai_piliang : public QDialog {
    Q_OBJECT
public:
    explicit Tshoupai_piliang(TDM& dm, QWidget* parent = nullptr);

    QLineEdit* fromEdit() const { return m_from; }
    QLineEdit* toEdit() const { return m_to; }
    QLineEdit* prefixEdit() const { return m_prefix; }
    QComboBox* typeBox() const { return m_type; }

public slots:
    void okClick();

signals:
    void saved();

protected:
    void showEvent(QShowEvent* e) override;

private:
    TDM& m_dm;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QLineEdit* m_prefix;
    QComboBox* m_type;
};
