#include "files/WatchLogFields.h"

#include <array>

namespace {

constexpr std::array<FieldInfo, RecordFieldCount> Fields{{
    {"time", FieldKind::Text},       {"record", FieldKind::Text},     {"level_db", FieldKind::Number},
    {"weighting", FieldKind::Text},  {"response", FieldKind::Text},   {"range", FieldKind::Text},
    {"over_under", FieldKind::Text}, {"meter_clock", FieldKind::Text}, {"leq_db", FieldKind::Number},
    {"lmax_db", FieldKind::Number},  {"lmin_db", FieldKind::Number},  {"readings", FieldKind::Integer},
    {"note", FieldKind::Text},       {"seq", FieldKind::Integer},     {"meter", FieldKind::Text},
    {"energy_pa2s", FieldKind::Number}, {"seconds", FieldKind::Number}, {"utc", FieldKind::Text},
}};

}  // namespace

const FieldInfo& InfoOf(RecordField field) { return Fields[static_cast<std::size_t>(field)]; }
