// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lottery_dialog.h"

#include <algorithm>
#include <filesystem>

#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "app/draw_import.h"
#include "model/numbers.h"
#include "store/file_error.h"
#include "store/history_file.h"
#include "store/settings_files.h"
#include "store/text_file.h"
#include "ui/help_viewer.h"
#include "ui/import_preview_dialog.h"
#include "ui/page_widgets.h"

namespace bw::ui {

namespace {

constexpr int kBackspace = 8;

// The six value boxes in the order of the checks: stake, then the returns.
constexpr int32_t LotterySettings::*kValueFields[6] = {
    &LotterySettings::stake, &LotterySettings::ret3,  &LotterySettings::ret4,
    &LotterySettings::ret5,  &LotterySettings::ret5p, &LotterySettings::ret6};
constexpr const char* kValueBoxNames[6] = {"txtStake", "txtRet3",  "txtRet4",
                                           "txtRet5",  "txtRet5p", "txtRet6"};
constexpr const char* kValueCaptions[6] = {
    "Enter Lottery Stake",          "Average return for 3 correct", "Average return for 4 correct",
    "Average return for 5 correct", "Average return for 5+Bonus",   "Average return for 6 correct"};

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

bool IsLetter1252(int code) {
  if ((code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z')) return true;
  if (code >= 192 && code <= 255) return code != 215 && code != 247;  // not × and ÷
  return code == 138 || code == 140 || code == 154 || code == 156 || code == 159 || code == 181;
}

// History files of the folder ("*.opt" without "_"), as lottery names sorted
// without regard to case.
QStringList LotteryNames(const std::filesystem::path& folder) {
  QStringList names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string file = entry.path().filename().string();
    if (file.size() <= 4 || !file.ends_with(".opt") || file.find('_') != std::string::npos) {
      continue;
    }
    names.append(FromUtf8(file.substr(0, file.size() - 4)));
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
  });
  return names;
}

Message Notice(std::string text, std::string title, MessageIcon icon) {
  Message message;
  message.text = std::move(text);
  message.title = std::move(title);
  message.icon = icon;
  return message;
}

// The Windows-1252 code of the character a key types, or -1 for keys that
// type none: editing and moving keys (Tab, Delete, arrows, Home, End, Enter,
// Escape) and shortcuts keep their usual meaning. Backspace counts as typed.
int TypedKeyCode(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backspace) return kBackspace;
  if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return -1;
  const QString text = key.text();
  if (text.isEmpty() || text.at(0).category() == QChar::Other_Control) return -1;
  return Windows1252KeyCode(text);
}

// Applies the name rule to whatever way the text came: typed, pasted, the
// middle button's paste or a drop.
class NameValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*position*/) const override {
    for (QChar character : input) {
      const int code = Windows1252KeyCode(QString(character));
      if (code == kBackspace || !IsNameKey(code)) return Invalid;
    }
    return Acceptable;
  }
};

Message Question(std::string text) {
  Message message = Notice(std::move(text), "Please confirm", MessageIcon::Question);
  message.buttons = MessageButtons::YesNo;
  message.defaultButton = MessageAnswer::Yes;
  return message;
}

}  // namespace

bool IsNameKey(int keyCode) {
  return keyCode == kBackspace || keyCode == '-' || keyCode == ' ' || IsLetter1252(keyCode);
}

int Windows1252KeyCode(const QString& typed) {
  if (typed.isEmpty()) return -1;
  const std::string bytes = Windows1252FromUtf8(QString(typed.at(0)).toStdString());
  return bytes.empty() ? -1 : static_cast<unsigned char>(bytes[0]);
}

LotteryDialog::LotteryDialog(Session& session, MessageSink& messages, HelpViewer& help,
                             QWidget* parent)
    : QDialog(parent), session_(session), messages_(messages), help_(help) {
  setObjectName("frmDatabase");
  setWindowTitle("Ballwright - Lottery");
  // Modal to its owner only, so the help window it opens stays usable.
  setWindowModality(Qt::WindowModal);
  BuildLayout();
  Form_Load();
}

void LotteryDialog::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  label7_ = new QLabel("Select your favoured Lottery or type in a new lottery to be added.", this);
  label7_->setObjectName("Label7");
  label7_->setWordWrap(true);
  combo1_ = new QComboBox(this);
  combo1_->setObjectName("Combo1");
  combo1_->setEditable(true);
  combo1_->setInsertPolicy(QComboBox::NoInsert);
  combo1_->setCompleter(nullptr);
  combo1_->setValidator(new NameValidator(combo1_));
  // Keys reach the box itself, which hands them on to its text field.
  combo1_->installEventFilter(this);
  combo1_->lineEdit()->installEventFilter(this);
  nameHint_ = Guidance(QString(), this, "lblNameHint");
  nameHint_->hide();
  connect(combo1_->lineEdit(), &QLineEdit::inputRejected, this, [this] { RefuseName(); });
  connect(combo1_->lineEdit(), &QLineEdit::textEdited, this, &LotteryDialog::Combo1_Change);
  connect(combo1_, &QComboBox::activated, this, [this] { Combo1_Click(); });
  outer->addWidget(label7_);
  outer->addWidget(combo1_);
  outer->addWidget(nameHint_);

  auto* values = new QGridLayout();
  for (int i = 0; i < 6; ++i) {
    auto* caption = new QLabel(kValueCaptions[i], this);
    caption->setObjectName(QString("Label3_%1").arg(i));
    auto* box = new QLineEdit(this);
    box->setObjectName(kValueBoxNames[i]);
    box->setAlignment(Qt::AlignRight);
    box->setMaximumWidth(120);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), box));
    connect(box, &QLineEdit::inputRejected, this, [this] { RefuseAmount(); });
    box->installEventFilter(this);
    connect(box, &QLineEdit::textEdited, this, &LotteryDialog::Value_Change);
    caption->setBuddy(box);
    values->addWidget(caption, i, 0);
    values->addWidget(box, i, 1);
    boxes_[i] = box;
  }
  outer->addLayout(values);
  valueHint_ = Guidance(QString(), this, "lblValueHint");
  valueHint_->hide();
  outer->addWidget(valueHint_);

  auto* bonus = new QGroupBox(this);
  auto* bonusLayout = new QVBoxLayout(bonus);
  optBonus0_ = new QRadioButton("Lottery provides a bonus number", bonus);
  optBonus0_->setObjectName("optBonus0");
  optBonus1_ = new QRadioButton("Lottery does NOT have a bonus number", bonus);
  optBonus1_->setObjectName("optBonus1");
  bonusLayout->addWidget(optBonus0_);
  bonusLayout->addWidget(optBonus1_);
  outer->addWidget(bonus);

  auto* buttons = new QHBoxLayout();
  cmdSave_ = new QPushButton("Import / &Switch / Create", this);
  cmdSave_->setObjectName("cmdSave");
  cmdCancel_ = new QPushButton("&Cancel", this);
  cmdCancel_->setObjectName("cmdCancel");
  cmdHelp_ = new QPushButton("&Help", this);
  cmdHelp_->setObjectName("cmdHelp");
  cmdCreateFromFile_ = new QPushButton("Create from file...", this);
  cmdCreateFromFile_->setObjectName("cmdCreateFromFile");
  cmdCreateFromFile_->setEnabled(false);
  connect(cmdCreateFromFile_, &QPushButton::clicked, this, &LotteryDialog::cmdCreateFromFile_Click);
  for (QPushButton* button : {cmdSave_, cmdCreateFromFile_, cmdCancel_, cmdHelp_}) {
    button->setAutoDefault(false);  // Enter presses Save, whichever button has the focus
    buttons->addWidget(button);
  }
  cmdSave_->setDefault(true);
  connect(cmdSave_, &QPushButton::clicked, this, &LotteryDialog::cmdSave_Click);
  connect(cmdCancel_, &QPushButton::clicked, this, &LotteryDialog::cmdCancel_Click);
  connect(cmdHelp_, &QPushButton::clicked, this,
          [this] { help_.ShowTopic(help_topic::kImportingLottery); });
  outer->addLayout(buttons);
}

void LotteryDialog::Form_Load() {
  ProgramState& state = session_.State();
  loadingList_ = true;
  savedLottoFile_ = state.lottoFile;
  savedSettings_ = state.settings;
  state.newFileCreated = false;
  ShowValues(state.settings);
  SelectBonus(true);
  FillList();
  SelectCurrentLottery();
  loadingList_ = false;
  cmdSave_->setEnabled(false);  // also with an empty list
}

void LotteryDialog::FillList() {
  combo1_->clear();
  combo1_->addItems(LotteryNames(session_.State().appFolder));
}

// Selects entry after entry up to the current lottery's, as the list did when
// it was filled; with no current lottery yet the first entry is taken.
void LotteryDialog::SelectCurrentLottery() {
  const std::string& lottoFile = session_.State().lottoFile;
  if (combo1_->count() == 0) return;
  if (lottoFile.size() < 4) {
    SelectEntry(0);
    return;
  }
  const QString current = FromUtf8(lottoFile.substr(0, lottoFile.size() - 4));
  for (int i = 0; i < combo1_->count(); ++i) {
    SelectEntry(i);
    if (combo1_->itemText(i) == current) return;
  }
}

void LotteryDialog::SelectEntry(int index) {
  combo1_->setCurrentIndex(index);
  Combo1_Click();
}

void LotteryDialog::ShowValues(const LotterySettings& settings) {
  for (int i = 0; i < 6; ++i) boxes_[i]->setText(QString::number(settings.*kValueFields[i]));
}

void LotteryDialog::SelectBonus(bool useBonus) {
  (useBonus ? optBonus0_ : optBonus1_)->setChecked(true);
}

// The validators refuse what does not belong in a field; a drop and the
// middle button's paste are refused without a word from the field, so the
// text that arrives is checked here for the hint.
bool LotteryDialog::eventFilter(QObject* watched, QEvent* event) {
  auto* field = qobject_cast<QLineEdit*>(watched);
  const bool name = watched == combo1_ || watched == combo1_->lineEdit();
  QString arriving;
  switch (event->type()) {
    case QEvent::KeyPress:
      if (name && TypedKeyCode(*static_cast<QKeyEvent*>(event)) >= 0) Combo1_KeyPress();
      break;
    case QEvent::Drop:
      if (const QMimeData* data = static_cast<QDropEvent*>(event)->mimeData())
        arriving = data->text();
      break;
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::MiddleButton)
        arriving = QGuiApplication::clipboard()->text(QClipboard::Selection);
      break;
    default:
      break;
  }
  int position = 0;
  if (field && !arriving.isEmpty() && field->validator() &&
      field->validator()->validate(arriving, position) == QValidator::Invalid)
    name ? RefuseName() : RefuseAmount();
  return QDialog::eventFilter(watched, event);
}

void LotteryDialog::RefuseName() {
  messages_.Beep();
  ShowRefusal(nameHint_, "A lottery name is made of letters, spaces and \"-\" only.");
}

void LotteryDialog::RefuseAmount() {
  ShowRefusal(valueHint_, "Amounts are whole numbers: type digits only.");
}

// Typing starts a new lottery: blank values and a bonus number.
void LotteryDialog::Combo1_KeyPress() {
  for (QLineEdit* box : boxes_) box->setText("0");
  SelectBonus(true);
}

void LotteryDialog::ShowRefusal(QLabel* hint, const QString& why) {
  hint->setText(why);
  hint->setVisible(!why.isEmpty());
}

void LotteryDialog::Combo1_Change(const QString& text) {
  ShowRefusal(nameHint_, QString());
  typedName_ = text.toStdString();
  cmdSave_->setEnabled(!TrimBlanks(typedName_).empty());
  cmdCreateFromFile_->setEnabled(cmdSave_->isEnabled());
}

// An edited value of a listed lottery can be saved at once.
void LotteryDialog::Value_Change() {
  ShowRefusal(valueHint_, QString());
  cmdSave_->setEnabled(!TrimBlanks(ComboText()).empty());
}

void LotteryDialog::Combo1_Click() {
  if (loadingList_) {
    cmdSave_->setEnabled(false);
    return;
  }
  ProgramState& state = session_.State();
  typedName_.clear();
  const LotterySettings kept = state.settings;
  const bool keptBonusChoice = optBonus0_->isChecked();
  const std::string keptLottoFile = state.lottoFile;
  const std::string name = ComboText();

  state.lottoFile = name + ".opt";
  if (ReadLotterySettings(state)) {
    ShowValues(state.settings);
    SelectBonus(state.settings.useBonus);
    cmdSave_->setEnabled(true);
    return;
  }
  messages_.Show(Notice("Could not read " + name + ".ini", "Error", MessageIcon::None));
  state.lottoFile = keptLottoFile;
  const bool previousReadable = ReadLotterySettings(state);
  if (!previousReadable) {
    messages_.Show(Notice("Could not re-initialise previous database, cannot continue...", "Error",
                          MessageIcon::Critical));
  }
  loadingList_ = true;
  const bool bonusFromFile = state.settings.useBonus;
  state.settings = kept;
  if (previousReadable) state.settings.useBonus = bonusFromFile;
  ShowValues(kept);
  SelectBonus(keptBonusChoice);
  state.lottoFile = keptLottoFile;
  SelectCurrentLottery();
  loadingList_ = false;
  cmdSave_->setEnabled(false);
  if (!previousReadable) done(QDialog::Rejected);
}

bool LotteryDialog::ReadValues() {
  LotterySettings& settings = session_.State().settings;
  int firstInvalid = -1;
  for (int i = 0; i < 6; ++i) {
    const std::optional<int32_t> value = ReadWholeNumber(boxes_[i]->text().toStdString());
    if (value) settings.*kValueFields[i] = *value;
    // A value beyond the 32-bit range is as unusable as zero.
    if ((!value || *value <= 0) && firstInvalid < 0) firstInvalid = i;
  }
  if (firstInvalid >= 0) {
    messages_.Show(Notice("All values must be greater than '0'.\r\n\r\nPlease correct values!",
                          "Invalid Details", MessageIcon::Exclamation));
    boxes_[firstInvalid]->setFocus();
    return false;
  }
  return true;
}

void LotteryDialog::cmdSave_Click() {
  if (!ReadValues()) return;
  if (!TrimBlanks(typedName_).empty()) {
    if (CreateNewLottery()) done(QDialog::Accepted);
    return;
  }
  const std::string name = ComboText();
  if (!TrimBlanks(name).empty()) {
    const bool current = name + ".opt" == savedLottoFile_;
    const std::string question = current ? "Are you sure you want to save the settings of "
                                         : "Are you sure you want to switch to ";
    if (messages_.Show(Question(question + name + "?")) != MessageAnswer::Yes) return;
    ProgramState& state = session_.State();
    state.lottoFile = name + ".opt";
    WriteProgramSettings(state);
    WriteLotterySettings(state);
  }
  done(QDialog::Accepted);
}

bool LotteryDialog::CreateNewLottery() {
  ProgramState& state = session_.State();
  typedName_ = std::string(TrimBlanks(ComboText())) + ".opt";
  const bool useBonus = optBonus0_->isChecked();
  const std::string question = (state.appFolder / typedName_).string() + "\r\n\r\n" +
                               (useBonus ? "This Lottery USES a bonus number!"
                                         : "This Lottery DOES NOT USE a bonus number!") +
                               "\r\n\r\nAre you sure to create the new file?";
  if (messages_.Show(Question(question)) != MessageAnswer::Yes) return false;

  const std::string previousLottoFile = state.lottoFile;
  const bool previousBonus = state.settings.useBonus;
  state.lottoFile = typedName_;
  state.settings.useBonus = useBonus;
  WriteLotterySettings(state);  // values were read from the boxes by Save
  if (!WriteHistoryFile(state, true)) {
    const int16_t error = state.fileErrorNumber;
    messages_.Show(Notice("Could not create " + (state.appFolder / typedName_).string() +
                              "\r\n\r\nError " + std::to_string(error) + " " +
                              FileErrorDescription(error),
                          "Error", MessageIcon::Critical));
    state.lottoFile = previousLottoFile;
    state.settings.useBonus = previousBonus;
    state.newFileCreated = false;
    return false;
  }
  WriteProgramSettings(state);
  return true;
}

// A new lottery whose history is filled from a published result file at
// once: no placeholder draws, the bonus as the file has it.
void LotteryDialog::cmdCreateFromFile_Click() {
  if (TrimBlanks(typedName_).empty() || !ReadValues()) return;
  const std::filesystem::path file = AskResultFile(this, "Create from file");
  if (file.empty()) return;
  ImportPreviewDialog preview(session_, help_, file, /*newLottery=*/true, this);
  if (preview.exec() != QDialog::Accepted) return;
  std::string error;
  const std::string name(TrimBlanks(ComboText()));
  if (!CreateLotteryFromDraws(session_, name, session_.State().settings, preview.Merge(), error)) {
    messages_.Show(Notice(error, "Error", MessageIcon::Critical));
    return;
  }
  done(QDialog::Accepted);
}

void LotteryDialog::cmdCancel_Click() {
  ProgramState& state = session_.State();
  state.lottoFile = savedLottoFile_;
  state.settings = savedSettings_;
  done(QDialog::Rejected);
}

void LotteryDialog::reject() {
  cmdCancel_Click();
}

std::string LotteryDialog::ComboText() const {
  return combo1_->currentText().toStdString();
}

}  // namespace bw::ui
