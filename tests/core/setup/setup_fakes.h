#pragma once
// Stand-ins for the user and the autostart entry in setup tests.

#include <deque>
#include <string>
#include <vector>

#include "core/setup/autostart_entry.h"
#include "core/setup/setup_message.h"

namespace tessarin::test {

// Answers with the queued buttons (OK once they run out) and keeps every question.
class ScriptedPrompter final : public SetupPrompter {
 public:
  explicit ScriptedPrompter(std::deque<PromptAnswer> answers = {}) : answers_(std::move(answers)) {}
  PromptAnswer Ask(const SetupMessage& message) override {
    asked.push_back(message);
    if (answers_.empty())
      return PromptAnswer::Ok;
    const PromptAnswer answer = answers_.front();
    answers_.pop_front();
    return answer;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const SetupMessage& message : asked)
      texts.push_back(message.text);
    return texts;
  }
  std::vector<SetupMessage> asked;

 private:
  std::deque<PromptAnswer> answers_;
};

class FakeAutostart final : public AutostartEntry {
 public:
  bool IsOn() const override { return on; }
  bool SwitchOn(const std::string& programPath,
                const std::vector<std::string>& arguments) override {
    std::string call = "on:" + programPath;
    for (const std::string& argument : arguments)
      call += " " + argument;
    calls.push_back(call);
    if (fail)
      return false;
    on = true;
    return true;
  }
  bool SwitchOff() override {
    calls.push_back("off");
    if (fail)
      return false;
    on = false;
    return true;
  }
  bool on = false;
  bool fail = false;
  std::vector<std::string> calls;
};

}  // namespace tessarin::test
