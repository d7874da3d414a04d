#pragma once
// The JSON form of one cycle: one object on one line.

#include <nlohmann/json.hpp>

#include "core/watcher/watch_cycle.h"

namespace tessarin {

nlohmann::json SlotInfoJson(const SlotInfo& slot);
nlohmann::json ResultEntryJson(const ResultEntry& result);
nlohmann::json CycleOutcomeJson(const CycleOutcome& outcome);

// Texts taken from client files are bytes in no known encoding: keep valid UTF-8 as it is
// and replace anything else, so the output is always valid JSON.
std::string ValidUtf8(const std::string& bytes);

}  // namespace tessarin
