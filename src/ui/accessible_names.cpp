// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/accessible_names.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QLabel>
#include <QRegularExpression>
#include <map>

#include "analysis/single_line_check.h"

namespace bw::ui {
namespace {

constexpr int kFinderRows = 8;  // index 1..8: the random finder's rows
constexpr int kNumbersPerLine = 6;
constexpr int kNotPlacedCell = 49;
const QString kOtherPrize = QStringLiteral("a 5, 5+bonus or 6 prize");

QString RowPrefix(int index) {
  return index >= 1 && index <= kFinderRows ? QStringLiteral("Line %1, ").arg(index) : QString();
}

QString OrEmpty(const QString& caption) {
  return caption.isEmpty() ? QStringLiteral("empty") : caption;
}

QString Draws(const QString& caption) {
  if (caption.isEmpty()) return QStringLiteral("no draws");  // a count of 0 shows no caption
  return caption + (caption == "1" ? QStringLiteral(" draw") : QStringLiteral(" draws"));
}

// The caption of the widget named `name` beside the label, or an empty text.
template <class Sibling>
QString SiblingText(const QLabel& label, const QString& name) {
  const QWidget* panel = label.parentWidget();
  const auto* sibling = panel ? panel->findChild<Sibling*>(name) : nullptr;
  return sibling ? sibling->text() : QString();
}

SpokenLabel SpeakIndexed(const QLabel& label, const QString& kind, int index) {
  static const std::map<QString, QString> hits = {
      {"lblHitThree", "3 numbers right"},
      {"lblHitFour", "4 numbers right"},
      {"lblHitFive", "5 numbers right"},
      {"lblHitFivePlus", "5 numbers and the bonus number right"},
      {"lblHitSix", "6 numbers right"}};
  const QString caption = label.text();
  if (const auto hit = hits.find(kind); hit != hits.end()) {
    return {RowPrefix(index) + hit->second + ": " + Draws(caption),
            "How many past draws the line would have matched so"};
  }
  if (kind == "Digit") {
    QString name = RowPrefix(index) +
                   "Result: " + (caption.isEmpty() ? QStringLiteral("none") : caption + " percent");
    if (SiblingText<QLabel>(label, QStringLiteral("lblReturn%1").arg(index)).contains('+')) {
      name += ", and " + kOtherPrize;
    }
    return {name,
            "What the line's 3 and 4 hits would have returned, in percent of one unit staked on "
            "each draw"};
  }
  if (kind == "lblReturn") {
    return {caption.contains('+') ? "percent, and " + kOtherPrize : QStringLiteral("percent"), {}};
  }
  if (kind == "lblNumber") {
    if (index == 0) return {"Bonus number: " + OrEmpty(caption), {}};
    return {QStringLiteral("Selected number %1: ").arg(index) + OrEmpty(caption), {}};
  }
  if (kind == "PreDigit") {
    return {QStringLiteral("Last line checked, number %1: ").arg(index) + OrEmpty(caption), {}};
  }
  if (kind == "OptimiseDigit") {  // the count beside its print option
    QString option = SiblingText<QAbstractButton>(label, QStringLiteral("optList%1").arg(index));
    return {option.remove('&') + ": " + caption + " lines", {}};
  }
  if (kind == "lblRandom") {
    if (index == kNotPlacedCell) return {"Number not placed: " + OrEmpty(caption), {}};
    const int row = (index - 1) / kNumbersPerLine + 1, place = (index - 1) % kNumbersPerLine + 1;
    return {RowPrefix(row) + QStringLiteral("number %1: ").arg(place) + OrEmpty(caption), {}};
  }
  return {};
}

SpokenLabel SpeakFace(const QString& name) {
  const QString happy =
      QStringLiteral("%1 percent or more, or %2").arg(kHappyPercent).arg(kOtherPrize);
  const QString moody =
      QStringLiteral("%1 to %2 percent").arg(kMoodyPercent).arg(kHappyPercent - 1);
  const QString veryMoody = QStringLiteral("less than %1 percent").arg(kMoodyPercent);
  const QString returned = QStringLiteral("The line would have returned ");
  if (name == "ImageHappyFace") return {"Happy face", returned + happy};
  if (name == "ImageMoodyFace") return {"Moody face", returned + moody};
  if (name == "ImageVeryMoody") return {"Very moody face", returned + veryMoody};
  return {};
}

// A label's interface is made once, possibly while it is still being built
// and has no objectName yet, so it decides what to say each time it is read;
// a label without words of its own speaks its caption.
class SpokenLabelInterface : public QAccessibleWidget {
 public:
  explicit SpokenLabelInterface(QLabel* label) : QAccessibleWidget(label) {}
  QAccessible::Role role() const override {
    return Label().pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
  }
  QString text(QAccessible::Text kind) const override {
    const SpokenLabel spoken = SpeakLabel(Label());
    if (kind == QAccessible::Name) {
      if (!spoken.name.isEmpty()) return spoken.name;
      if (!Label().accessibleName().isEmpty()) return Label().accessibleName();
      return QString(Label().text()).remove('&');
    }
    if (kind == QAccessible::Description && !spoken.description.isEmpty()) {
      return spoken.description;
    }
    return QAccessibleWidget::text(kind);
  }

 private:
  const QLabel& Label() const { return *static_cast<const QLabel*>(widget()); }
};

QAccessibleInterface* SpokenLabelFactory(const QString& className, QObject* object) {
  auto* label = qobject_cast<QLabel*>(object);
  if (className != "QLabel" || !label) return nullptr;
  if (!label->objectName().isEmpty() && SpeakLabel(*label).name.isEmpty()) return nullptr;
  return new SpokenLabelInterface(label);
}

}  // namespace

SpokenLabel SpeakLabel(const QLabel& label) {
  static const QRegularExpression indexed(QStringLiteral("^([A-Za-z]+?)(\\d+)$"));
  const QRegularExpressionMatch match = indexed.match(label.objectName());
  if (match.hasMatch()) return SpeakIndexed(label, match.captured(1), match.captured(2).toInt());
  return SpeakFace(label.objectName());
}

void InstallAccessibleNames() {
  static const bool installed = [] {
    QAccessible::installFactory(SpokenLabelFactory);
    return true;
  }();
  (void)installed;
}

}  // namespace bw::ui
