#pragma once

#include <QString>

// Quick-search codes of goods names: the first letter of each character's Mandarin reading,
// ASCII letters and digits kept, lower case, at most 20 letters ("标准间" -> "bzj").
namespace Pinyin {

QString abbreviation(const QString& name);

} // namespace Pinyin
