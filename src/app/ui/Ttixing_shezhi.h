#pragma once

#include <QDialog>

class TDM;
class QCheckBox;
class QSpinBox;
class QTimeEdit;
class QWidget;

// The reminder settings (提醒设置); saving applies the daily and hourly reminders at once.
class Ttixing_shezhi : public QDialog {
    Q_OBJECT
public:
    explicit Ttixing_shezhi(TDM& dm, QWidget* parent = nullptr);

public slots:
    void okClick();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void load();

    TDM& m_dm;
    QCheckBox* m_birthday;
    QCheckBox* m_idle;
    QCheckBox* m_daily;
    QCheckBox* m_hourly;
    QSpinBox* m_birthdayDays;
    QSpinBox* m_idleDays;
    QTimeEdit* m_dailyTime;
    QSpinBox* m_hourlyMinutes;
    QWidget* m_birthdayFields;
    QWidget* m_idleFields;
    QWidget* m_dailyFields;
    QWidget* m_hourlyFields;
};
