#include "assess/gui/SurfaceRiskPanel.h"

#include <QGridLayout>
#include <QLabel>

#include "controls/Fonts.h"
#include "controls/QtText.h"

namespace kondra {
namespace {

constexpr const char* kRiskColour = "#ff0000";
constexpr const char* kPlainColour = "#000000";
constexpr const char* kCaptionColour = "#000080";

void Paint(QLabel* label, const std::string& text, bool risk) {
  label->setText(Q(text));
  label->setStyleSheet(QString("color: %1;").arg(risk ? kRiskColour : kPlainColour));
}

}  // namespace

TSurfaceRiskPanel::TSurfaceRiskPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("PNL_Surface");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  setFont(LegacyFont(kFontPGothic, 9));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(2);

  int row = 0;
  const char* heads[] = {"表面", "表面温度", "表面湿度", "露点との差", "判定"};
  for (int c = 0; c < 5; ++c) {
    auto* head = new QLabel(Q(heads[c]), this);
    head->setStyleSheet(QString("color: %1;").arg(kCaptionColour));
    grid->addWidget(head, row, c, c == 0 ? Qt::AlignLeft : Qt::AlignRight);
  }
  const char* suffix[2] = {"A", "B"};
  for (int i = 0; i < 2; ++i) {
    ++row;
    const std::string s = suffix[i];
    names_[i] = AddLabel(("SR_Name" + s).c_str(), row, 0);
    temps_[i] = AddLabel(("SR_Temp" + s).c_str(), row, 1);
    relHums_[i] = AddLabel(("SR_RelHum" + s).c_str(), row, 2);
    margins_[i] = AddLabel(("SR_Margin" + s).c_str(), row, 3);
    verdicts_[i] = AddLabel(("SR_Verdict" + s).c_str(), row, 4);
    for (QLabel* l : {temps_[i], relHums_[i], margins_[i], verdicts_[i]}) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  ++row;
  grid->setRowMinimumHeight(row, 8);

  const char* captions[3] = {"温度係数 fRsi", "カビ判定用 fRsi", "必要温度係数 fRsi,min"};
  ++row;
  factorCaptions_[0] = new QLabel(Q(captions[0]), this);
  grid->addWidget(factorCaptions_[0], row, 0, 1, 2);
  factor_ = AddLabel("SR_Factor", row, 2, 3);
  ++row;
  factorVerdict_ = AddLabel("SR_FactorVerdict", row, 2, 3);
  ++row;
  factorCaptions_[1] = new QLabel(Q(captions[1]), this);
  grid->addWidget(factorCaptions_[1], row, 0, 1, 2);
  mouldCheck_ = AddLabel("SR_MouldCheck", row, 2, 3);
  ++row;
  mouldCheckVerdict_ = AddLabel("SR_MouldCheckVerdict", row, 2, 3);
  ++row;
  factorCaptions_[2] = new QLabel(Q(captions[2]), this);
  grid->addWidget(factorCaptions_[2], row, 0, 1, 2);
  minimum_ = AddLabel("SR_Minimum", row, 2, 3);
  ++row;
  message_ = AddLabel("SR_Message", row, 0, 5);
  message_->setWordWrap(true);
  ++row;
  auto* note = new QLabel("※臨界表面湿度80％、カビ判定用の内側表面熱抵抗 0.25 ㎡K/W（ISO 13788）", this);
  note->setObjectName("SR_Note");
  note->setWordWrap(true);
  note->setStyleSheet(QString("color: %1;").arg(kCaptionColour));
  grid->addWidget(note, row, 0, 1, 5);
  grid->setRowStretch(row + 1, 1);
  grid->setColumnStretch(0, 1);
}

QLabel* TSurfaceRiskPanel::AddLabel(const char* name, int row, int col, int span) {
  auto* label = new QLabel(this);
  label->setObjectName(name);
  static_cast<QGridLayout*>(layout())->addWidget(label, row, col, 1, span);
  return label;
}

void TSurfaceRiskPanel::Show(const SurfaceAssessment& a) {
  const SurfaceTexts t = SurfaceTextsOf(a);
  for (int i = 0; i < 2; ++i) {
    const SurfaceSideTexts& s = t.sides[static_cast<std::size_t>(i)];
    Paint(names_[i], s.name, false);
    Paint(temps_[i], s.temp, false);
    Paint(relHums_[i], s.relHum, s.risk);
    Paint(margins_[i], s.margin, false);
    Paint(verdicts_[i], s.verdict, s.risk);
  }
  const bool factor = a.factor.has_value();
  for (QLabel* l : {factor_, factorVerdict_, mouldCheck_, mouldCheckVerdict_, minimum_}) l->setVisible(factor);
  for (QLabel* l : factorCaptions_) l->setVisible(factor);
  Paint(factor_, t.factor, false);
  Paint(factorVerdict_, t.factorVerdict, t.factorRisk);
  Paint(mouldCheck_, t.mouldCheck, false);
  Paint(mouldCheckVerdict_, t.mouldCheckVerdict, t.mouldCheckRisk);
  Paint(minimum_, t.minimum, false);
  Paint(message_, t.message, false);
  message_->setVisible(!t.message.empty());
}

}  // namespace kondra
