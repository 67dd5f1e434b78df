#include "weather/MonthlyNotice.h"

#include <vector>

#include "env/Text.h"
#include "records/TableFile.h"
#include "weather/Stations.h"

namespace kondra {

namespace {

constexpr const char* kBreak = "\r\r";
constexpr int kSourceColumn = 9;
constexpr int kDisplayNameColumn = 11;

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : "、") + name;
  return text;
}

}  // namespace

std::string MonthlyNoticeText() {
  std::string text = std::string("※ご注意") + kBreak +
                     "この【月次気象データ】は、主として結露計算や熱負荷計算の条件を決めるための目安として用いるものです。";
  int points = 0, normalsOnly = 0, withRadiation = 0;
  std::vector<std::string> hourly, hourlyWithoutRain;
  if (DataLoad(PointListPath()) && DT_ColCount >= kDisplayNameColumn) {
    for (int r = 1; r <= DT_RowCount; ++r) {
      const auto row = static_cast<std::size_t>(r);
      const auto sources = static_cast<int>(TextToInt(DT_Cell[row][kSourceColumn]));
      const std::string& name = DT_Cell[row][kDisplayNameColumn];
      ++points;
      if (sources & kSourceHourly) {
        hourly.push_back(name);
        if (!(sources & kSourceNormals)) hourlyWithoutRain.push_back(name);
      } else if (sources & kSourceNormals) {
        ++normalsOnly;
        if (sources & kSourceRadiation) ++withRadiation;
      }
    }
  }
  if (points > 0) {
    text += kBreak + std::string("収録した") + std::to_string(points) + "地点のうち" + std::to_string(normalsOnly) +
            "地点は、気象庁の平年値（1991～2020年）の月平均気温と月降水量だけを収めています";
    if (withRadiation > 0) text += "（うち" + std::to_string(withRadiation) + "地点は全天日射量の平年値も）";
    text += "。そのほかの項目は「－」です。";
    if (!hourly.empty()) {
      text += kBreak + Joined(hourly) + "の" + std::to_string(hourly.size()) +
              "地点は、省エネルギー基準の地域区分ごとの＜標準年気象データ＞（毎時値）を統計処理したものです（降水量は平年値";
      if (!hourlyWithoutRain.empty()) text += "、" + Joined(hourlyWithoutRain) + "は降水量なし";
      text += "）。" + std::string(kBreak) +
              "＜標準年気象データ＞は代表的な月をつなぎ合わせた１年分のデータで、毎月のデータには１年間としての正確な連続性はありません。";
    }
  }
  text += kBreak + std::string("※特に降水量データについては注意が必要です。（あくまで目安です）");
  text += kBreak + std::string("出典：気象庁ホームページ（平年値 1991～2020年）を加工して作成") + "\r" +
          "標準年気象データ：BRI-EES-House/pyhees（Copyright (c) 2021 BRI-EES-House、MIT License）";
  return text;
}

}  // namespace kondra
