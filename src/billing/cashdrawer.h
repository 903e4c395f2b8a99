#pragma once

#include <QString>

// OpenCashDrawer: the ESC/POS drawer pulse written to the port the drawer hangs on. A port name
// such as "LPT1" or "COM1" is a section of sz.ini in the hotel folder whose 类型 is the device
// path (defaults "/dev/lp0", "/dev/ttyS0"); any other text is a device path itself.
class CashDrawer {
public:
    static inline const QString kError =
        QStringLiteral("开钱箱出错！请检查连接，没有钱箱请将系统设置的“钱箱接口”选择成空的。");

    explicit CashDrawer(QString home = QString()) : m_home(std::move(home)) {}

    // The device path of a port name.
    QString devicePath(const QString& port) const;
    // Writes 27 112 0 60 255 to the port; true on success. HotelError (kError, a carriage return
    // and the device's own text) when the device cannot be written.
    bool open(const QString& port) const;

private:
    QString m_home;
};
