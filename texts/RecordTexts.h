#pragma once

#include "engine/Records.h"

#include <QString>

// One line for a record, as questions about a record show it.
namespace RecordTexts {

// "第 5 位　名称　聪明/可爱/不正常 12/34/56　已勾选"
QString HeroLine(int heroIndex, const HeroRecord& hero);
// "第05关　名称　愚蠢/可恨/不异常 9999/9999/2000"
QString VirusLine(int virusIndex, const VirusRecord& virus);

} // namespace RecordTexts
