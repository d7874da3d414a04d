#pragma once
// One running task of a readable client, with its client, project, slot and log directories
// in a temp dir, and GetSlot over it.

#include <string>

#include "core/display/slot_reader.h"
#include "support/test_environment.h"

namespace tessarin::test {

struct SlotFixture {
  SlotFixture() {
    facts.clientState = "<client_state><active_task></active_task></client_state>";
    facts.clientDir = t.dir.path() + "boinc/";
    facts.projectDir = facts.clientDir + "projects/example.org_project/";
    facts.slotDir = facts.clientDir + "slots/3/";
    facts.slot = "3";
    facts.projectName = "Example";
    facts.appName = "example_app";
    facts.resultName = "wu_1234_0";
    facts.wuFile = "wu_1234";
    facts.resultFileName = "wu_1234_0_0";
    facts.host.domain_name = "alpha";
    facts.host.p_fpops = "1000000000";
    facts.resultCount = 5;
    facts.queuedCount = 3;
    facts.progress = ProgressStatus::kActive;
  }

  // GetSlot once into a fresh display list; the result list keeps its entries.
  const SlotInfo& Read() {
    display.clear();
    reader.GetSlot(facts, results, display);
    return display.at(0);
  }

  std::string SlotFile(const std::string& name, const std::string& content) const {
    return t.dir.Write("boinc/slots/3/" + name, content);
  }
  std::string ProjectFile(const std::string& name, const std::string& content) const {
    return t.dir.Write("boinc/projects/example.org_project/" + name, content);
  }
  std::string LogFile(const std::string& name, const std::string& content) const {
    return t.dir.Write("logs/" + name, content);
  }

  TestEnvironment t;
  SlotReader reader{t.env};
  ActiveTaskFacts facts;
  ResultList results;
  DisplayList display;
};

}  // namespace tessarin::test
