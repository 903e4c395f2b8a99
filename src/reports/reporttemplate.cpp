#include "reporttemplate.h"

#include "core/hotelerror.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

const QRegularExpression& placeholderPattern() {
    static const QRegularExpression re(QStringLiteral("\\[([^\\[\\]<>\\r\\n\"]{1,60})\\]"));
    return re;
}

const QRegularExpression& bandPattern() {
    static const QRegularExpression re(QStringLiteral("<!--\\s*明细\\s*-->(.*?)<!--\\s*/\\s*明细\\s*-->"),
                                       QRegularExpression::DotMatchesEverythingOption);
    return re;
}

const QString kSumPrefix = QStringLiteral("合计:");
const QString kRowCount = QStringLiteral("行数");
const QString kRowNumber = QStringLiteral("序号");

struct Substituter {
    const ReportData& data;
    QStringList& unknown;

    // The value of a placeholder, or a null string when nothing supplies it.
    QString lookup(const QString& name, const QStringList* row, int rowNumber) const {
        if (row) {
            const int col = data.columnIndex(name);
            if (col >= 0) // an empty cell is a known, empty value
                return row->at(col).isNull() ? QStringLiteral("") : row->at(col);
            if (name == kRowNumber)
                return QString::number(rowNumber);
        }
        if (data.hasVariable(name)) {
            const QString v = data.variable(name);
            return v.isNull() ? QStringLiteral("") : v;
        }
        if (name.startsWith(kSumPrefix) || name.startsWith(QStringLiteral("合计："))) {
            const QString column = name.mid(kSumPrefix.size()).trimmed();
            if (data.columns().contains(column))
                return data.columnSum(column).toString();
        }
        if (name == kRowCount)
            return QString::number(data.rows().size());
        return {};
    }

    QString apply(const QString& text, const QStringList* row, int rowNumber) const {
        QString out;
        out.reserve(text.size());
        qsizetype last = 0;
        auto it = placeholderPattern().globalMatch(text);
        while (it.hasNext()) {
            const auto m = it.next();
            out += QStringView(text).mid(last, m.capturedStart() - last);
            const QString name = m.captured(1).trimmed();
            const QString value = lookup(name, row, rowNumber);
            if (value.isNull()) {
                if (!unknown.contains(name))
                    unknown << name;
            } else {
                // Values are text: a "<" in a guest's name must print as "<".
                out += value.toHtmlEscaped().replace(u'\n', QStringLiteral("<br>"));
            }
            last = m.capturedEnd();
        }
        out += QStringView(text).mid(last);
        return out;
    }
};

} // namespace

ReportTemplate::ReportTemplate(QString fileName, QString source)
    : m_fileName(std::move(fileName)), m_source(std::move(source)) {}

QString ReportTemplate::pathIn(const QString& home, const QString& fileName) {
    QString name = fileName;
    if (name.endsWith(QStringLiteral(".frf"), Qt::CaseInsensitive))
        name = name.left(name.size() - 4) + QStringLiteral(".html");
    if (name.contains(u'/') || QDir::isAbsolutePath(name))
        return name;
    return QDir(home).filePath(name);
}

ReportTemplate ReportTemplate::load(const QString& home, const QString& fileName) {
    const QString path = pathIn(home, fileName);
    const QString shown = QFileInfo(path).fileName();
    QFile f(path);
    if (!f.exists())
        throw HotelError(QStringLiteral("找不到报表模板文件“%1”（%2），未打印。")
                             .arg(shown, QDir::toNativeSeparators(path)));
    if (!f.open(QIODevice::ReadOnly))
        throw HotelError(
            QStringLiteral("无法读取报表模板文件“%1”：%2，未打印。").arg(shown, f.errorString()));
    return ReportTemplate(shown, QString::fromUtf8(f.readAll()));
}

QStringList ReportTemplate::placeholders() const {
    QStringList names;
    auto it = placeholderPattern().globalMatch(m_source);
    while (it.hasNext()) {
        const QString name = it.next().captured(1).trimmed();
        if (!names.contains(name))
            names << name;
    }
    return names;
}

ReportTemplate::Expansion ReportTemplate::expand(const ReportData& data) const {
    Expansion result;
    Substituter sub{data, result.unknownVariables};
    qsizetype last = 0;
    auto it = bandPattern().globalMatch(m_source);
    while (it.hasNext()) {
        const auto band = it.next();
        result.html += sub.apply(m_source.mid(last, band.capturedStart() - last), nullptr, 0);
        const QString body = band.captured(1);
        for (int i = 0; i < data.rows().size(); ++i)
            result.html += sub.apply(body, &data.rows().at(i), i + 1);
        // A band without rows still reports the names it would need.
        if (data.rows().isEmpty()) {
            const QStringList noRow(data.columns().size());
            sub.apply(body, &noRow, 0);
        }
        last = band.capturedEnd();
    }
    result.html += sub.apply(m_source.mid(last), nullptr, 0);
    return result;
}
