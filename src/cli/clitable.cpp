#include "clitable.h"

#include "core/money.h"
#include "db/schema.h"
#include "db/sqlquery.h"

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QRegularExpression>

namespace {

QString flat(QString text) {
    for (QChar& c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

QSet<QString> identifiers(const QString& sql) {
    QSet<QString> out;
    QString word;
    for (const QChar c : sql) {
        if (c.isLetterOrNumber() || c == u'_') {
            word += c;
        } else if (!word.isEmpty()) {
            out.insert(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        out.insert(word);
    return out;
}

} // namespace

void CliTable::print(QTextStream& out) const {
    out << m_header.join(u'\t') << '\n';
    for (const QStringList& row : m_rows)
        out << row.join(u'\t') << '\n';
}

QString CliTable::cell(const QVariant& v) {
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDateTime:
        return v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("yyyy-MM-dd"));
    case QMetaType::Double:
        return QString::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
    default:
        return flat(v.toString());
    }
}

QString CliTable::moneyCell(const QVariant& v) {
    if (v.isNull())
        return QString();
    try {
        return SqlQuery::moneyFromVariant(v).toString();
    } catch (...) {
        // A text that is no stored amount is shown as it is.
        return cell(v);
    }
}

QSet<QString> CliTable::moneyColumnsFor(const QString& sql) {
    const QSet<QString> words = identifiers(sql);
    QSet<QString> money, other;
    for (const Schema::Table& t : Schema::tables(Schema::Database::Main)) {
        if (!words.contains(t.name))
            continue;
        for (const Schema::Column& c : t.columns)
            (c.kind == Schema::Kind::Money ? money : other).insert(c.name);
    }
    return money - other;
}

int CliTable::printQuery(SqlQuery& q, const QSet<QString>& moneyColumns, QTextStream& out) {
    static const QRegularExpression aggregate(
        QStringLiteral("^\\s*(sum|min|max)\\s*\\(\\s*([^()\\s]+)\\s*\\)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression inText(QStringLiteral("\\b(sum|min|max)\\s*\\(\\s*([^()\\s,]+)\\s*\\)"),
                                           QRegularExpression::CaseInsensitiveOption);
    // PostgreSQL names an unaliased aggregate just "sum": pair such columns, in order, with the
    // aggregates written in the statement.
    QList<QPair<QString, QString>> written;
    for (auto it = inText.globalMatch(q.raw().lastQuery()); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        written << qMakePair(m.captured(1).toLower(), m.captured(2));
    }
    const QStringList names = q.columnNames();
    QList<bool> isMoney;
    for (const QString& n : names) {
        QString base = n;
        const QRegularExpressionMatch m = aggregate.match(n);
        if (m.hasMatch()) {
            base = m.captured(2);
        } else if (n == QStringLiteral("sum") || n == QStringLiteral("min") || n == QStringLiteral("max")) {
            for (qsizetype i = 0; i < written.size(); ++i) {
                if (written[i].first == n) {
                    base = written.takeAt(i).second;
                    break;
                }
            }
        }
        base = base.mid(base.lastIndexOf(u'.') + 1); // "s.库存总额"
        // PostgreSQL folds an unquoted alias; names are matched as written or folded.
        bool found = false;
        for (const QString& c : moneyColumns)
            found = found || c.compare(base, Qt::CaseInsensitive) == 0;
        isMoney << found;
    }
    CliTable table(names);
    while (q.next()) {
        QStringList row;
        for (int i = 0; i < names.size(); ++i)
            row << (isMoney[i] ? moneyCell(q.value(i)) : cell(q.value(i)));
        table.addRow(row);
    }
    table.print(out);
    return table.rowCount();
}
