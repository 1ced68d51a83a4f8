#pragma once

#include "engine/PlanningTables.h"

#include <cstring>
#include <memory>
#include <string_view>

// Builds planning tables for tests: every hero unchecked with zero stats and
// every virus zeroed, then the records a test names.
class TableBuilder final
{
public:
    TableBuilder() : m_tables(std::make_unique<PlanningTables>()) {}

    TableBuilder& hero(int index, int smart, int cute, int abnormal, bool checked = true,
                       std::u16string_view name = u"英雄")
    {
        HeroRecord& record = m_tables->heroTable[index];
        std::memset(&record, 0, sizeof record);
        std::memcpy(record.name, name.data(), name.size() * sizeof(char16_t));
        record.checked = checked ? 1 : 0;
        record.smart = static_cast<std::uint16_t>(smart);
        record.cute = static_cast<std::uint16_t>(cute);
        record.abnormal = static_cast<std::uint16_t>(abnormal);
        return *this;
    }

    TableBuilder& virus(int index, int stupid, int hateful, int notAbnormal)
    {
        VirusRecord& record = m_tables->virusTable[index];
        std::memset(&record, 0, sizeof record);
        record.stupid = static_cast<std::uint16_t>(stupid);
        record.hateful = static_cast<std::uint16_t>(hateful);
        record.notAbnormal = static_cast<std::uint16_t>(notAbnormal);
        return *this;
    }

    PlanningTables& tables() { return *m_tables; }

private:
    std::unique_ptr<PlanningTables> m_tables;
};
