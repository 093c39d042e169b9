#include "ui/fake_host_support.h"

#include <algorithm>

#include <QCoreApplication>

#include "model/numbers.h"
#include "store/settings_files.h"

namespace bw::fakehost {

namespace {

// Forwards a print job into the host's recording, which outlives the job.
class ForwardingSurface : public PrintSurface {
 public:
  explicit ForwardingSurface(PrintSurface& target) : target_(target) {}
  void SetFont(const std::string& name, int points) override { target_.SetFont(name, points); }
  void SetBold(bool on) override { target_.SetBold(on); }
  void SetUnderline(bool on) override { target_.SetUnderline(on); }
  void Print(const std::string& text) override { target_.Print(text); }
  void PrintLine(const std::string& text) override { target_.PrintLine(text); }
  void EmptyLine() override { target_.EmptyLine(); }
  void EndDocument() override { target_.EndDocument(); }

 private:
  PrintSurface& target_;
};

}  // namespace

void PlaceDemoLottery(const TestFolder& folder) {
  for (const char* name : {"Sample.opt", "Sample.ini", "vomrix.ini"}) folder.CopyDemo(name);
}

MessageAnswer ScriptedMessages::Show(const Message& message) {
  shown.push_back(message);
  if (message.buttons == MessageButtons::Ok) return MessageAnswer::Ok;
  if (answers.empty()) return MessageAnswer::Yes;
  const MessageAnswer answer = answers.front();
  answers.pop_front();
  return answer;
}

void HookedEvents::LetEventsRun() {
  ++calls;
  QCoreApplication::processEvents();
  if (hook) hook();
}

FakePageHost::FakePageHost(const std::filesystem::path& folder) : session(folder, messages, clock) {
  ProgramState& state = session.State();
  ReadProgramSettings(state);
  ReadLotterySettings(state);
  session.LoadHistory();
}

std::unique_ptr<PrintSurface> FakePageHost::OpenPrintJob(const std::string& what) {
  printJobs.push_back(what);
  return std::make_unique<ForwardingSurface>(printed);
}

SingleLineResult FakePageHost::CheckLineOnPanel(const Line& line) {
  checkedLines.push_back(line);
  return session.Check(line);
}

void FakePageHost::ShowLineOptimiser() {
  ++optimiserShown;
  SortSelectedNumbers(selected);
  if (onShowLineOptimiser) onShowLineOptimiser();
}

void SortSelectedNumbers(std::array<std::string, 13>& selected) {
  std::sort(selected.begin() + 1, selected.end(), [](const std::string& a, const std::string& b) {
    return LeadingNumber(a) < LeadingNumber(b);
  });
  selected[0].clear();
  for (int i = 1; i <= 12; ++i) {
    if (LeadingNumber(selected[i]) <= 0) continue;
    selected[0] += selected[i];
    if (i < 12) selected[0] += "-";
  }
}

}  // namespace bw::fakehost
