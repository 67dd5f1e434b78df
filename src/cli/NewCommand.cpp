// `kondra-cli new FILE …`: a calculation entered field by field through the
// same checks and stores as the main window's inputs, then saved.
#include <iostream>

#include "calc/CalcFile.h"
#include "calc/CalcInput.h"
#include "calc/Engine.h"
#include "calc/LayerRecord.h"
#include "cli/Cli.h"
#include "env/FileSystem.h"
#include "env/Numbers.h"
#include "env/Text.h"
#include "materials/MaterialFiles.h"
#include "records/TableFile.h"

namespace kondra::cli {
namespace {

const char* const kNewUsage =
    "使い方: kondra-cli new FILE --title TEXT --part N --side-a T,RH --side-b T,RH\n"
    "                       [--layer NAME[:MM]]... [--force] [--root DIR]\n"
    "  --title TEXT      the calculation's title (60 bytes are kept)\n"
    "  --part N          part class number in 部位区分.DAT (see `kondra-cli parts`)\n"
    "  --side-a T,RH     air temperature (℃) and relative humidity (%) of side A\n"
    "  --side-b T,RH     the same for side B\n"
    "  --layer NAME[:MM] a layer row from side A on: a name of 材料物性.DAT (see\n"
    "                    `kondra-cli materials`) and its thickness in mm; the first\n"
    "                    and the last row are surface rows (\"α\"), which have none\n"
    "  --force           replace an existing file\n";

struct Layer {
  std::string name;
  std::optional<double> mm;
};

struct Condition {
  double temp = 0, hum = 0;
};

std::optional<Condition> ConditionArg(const std::string& text) {
  std::size_t comma = text.find(',');
  if (comma == std::string::npos) return std::nullopt;
  auto t = NumberArg(text.substr(0, comma));
  auto h = NumberArg(text.substr(comma + 1));
  if (!t || !h) return std::nullopt;
  return Condition{*t, *h};
}

// "NAME" or "NAME:MM" (the thickness after the last ":" when it is a number).
Layer LayerArg(const std::string& text) {
  std::size_t colon = text.rfind(':');
  if (colon != std::string::npos)
    if (auto mm = NumberArg(text.substr(colon + 1))) return {text.substr(0, colon), mm};
  return {text, std::nullopt};
}

int Refuse(const std::string& text) {
  Complain("new", text);
  return kExitRefused;
}

int Usage(const std::string& text) {
  Complain("new", text);
  std::cerr << kNewUsage;
  return kExitUsage;
}

// Stores a side's condition, telling when the field would have limited it.
bool StoreSide(int32_t tempItem, int32_t humItem, const Condition& c, const std::string& side) {
  const float temp = static_cast<float>(c.temp), hum = static_cast<float>(c.hum);
  if (ClampFieldTemp(temp) != temp)
    Complain("new", side + "の温度 " + FormatSingle(0, 1, temp) + "℃ は " + FormatSingle(0, 1, ClampFieldTemp(temp)) +
                        "℃ として入力しました。");
  if (ClampFieldHum(hum) != hum)
    Complain("new", side + "の湿度 " + FormatSingle(0, 0, hum) + "% は " + FormatSingle(0, 0, ClampFieldHum(hum)) +
                        "% として入力しました。");
  return StoreCondition(tempItem, temp) && StoreCondition(humItem, hum);
}

}  // namespace

int NewCommand(const std::vector<std::string>& args) {
  std::string file, title;
  std::optional<double> part;
  std::optional<Condition> sideA, sideB;
  std::vector<Layer> layers;
  bool force = false, titleGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= args.size()) return std::nullopt;
      return args[++i];
    };
    if (arg == "--help" || arg == "-h") {
      std::cout << kNewUsage;
      return kExitDone;
    } else if (arg == "--force") {
      force = true;
    } else if (arg == "--title" || arg == "--part" || arg == "--side-a" || arg == "--side-b" || arg == "--layer") {
      std::optional<std::string> v = value();
      if (!v) return Usage(arg + " needs a value");
      if (arg == "--title") {
        title = *v;
        titleGiven = true;
      } else if (arg == "--part") {
        part = NumberArg(*v);
        if (!part || *part != static_cast<int32_t>(*part)) return Usage("--part needs a whole number: '" + *v + "'");
      } else if (arg == "--layer") {
        layers.push_back(LayerArg(*v));
      } else {
        std::optional<Condition> c = ConditionArg(*v);
        if (!c) return Usage(arg + " needs T,RH (two numbers): '" + *v + "'");
        (arg == "--side-a" ? sideA : sideB) = c;
      }
    } else if (arg.starts_with("-") || !file.empty()) {
      return Usage("unexpected argument '" + arg + "'");
    } else {
      file = arg;
    }
  }
  if (file.empty()) return Usage("no calculation file given");
  if (!titleGiven) return Usage("--title is missing");
  if (!part) return Usage("--part is missing");
  if (!sideA || !sideB) return Usage("--side-a and --side-b are both needed");
  if (layers.size() > static_cast<std::size_t>(kLayerRecords))
    return Usage("at most " + std::to_string(kLayerRecords) + " layers");

  const std::string path = ProgramPath(file);
  if (fs::Exists(path) && !force) {
    Complain("new", NativePath(path) + ": ファイルが既にあります（置き換えるには --force）。");
    return kExitUsage;
  }

  // A calculation is built from the databases: not from damaged ones.
  if (!DatabaseReadsCleanly("new", MaterialFilePath()) || !DatabaseReadsCleanly("new", PartClassFilePath()))
    return kExitUsage;
  NewCalcFile(path);
  if (!StoreTitle(title)) return Refuse("表題を入力して下さい。");
  if (!StorePartClass(static_cast<int32_t>(*part))) {
    std::vector<std::string> parts;
    LoadPartClassList(parts);
    return Refuse("部位№" + std::to_string(static_cast<int32_t>(*part)) + " は部位区分.DATにありません（1～" +
                  std::to_string(parts.size()) + "）。");
  }
  if (!StoreSide(kItemTempA, kItemHumA, *sideA, Calc.SideNameA) ||
      !StoreSide(kItemTempB, kItemHumB, *sideB, Calc.SideNameB))
    return Refuse("温湿度条件を入力できませんでした。");

  for (std::size_t i = 0; i < layers.size(); ++i) {
    const int k = static_cast<int>(i) + 1;
    const Layer& layer = layers[i];
    const std::string row = std::to_string(k) + "層目〔" + layer.name + "〕";
    DataLoad(MaterialFilePath());
    const MaterialMatch match = FindMaterial(layer.name);
    if (!match.found) return Refuse(row + "は材料物性.DATにない材料名です。");
    // A refusal with the window's own message has been shown already.
    if (!StoreLayerMaterial(k, match.number)) return Refuse(row + "は層構成に入力できません。");
    if (IsSurfaceMaterial(layer.name)) {
      if (layer.mm && *layer.mm != 0) Complain("new", row + "は＜熱伝達率α＞なので厚さは 0 mm です。");
      continue;
    }
    if (!layer.mm) return Refuse(row + "の厚さ(mm)がありません（NAME:MM）。");
    if (!StoreLayerThickness(k, static_cast<float>(*layer.mm)))
      return Refuse(row + "の厚さ " + FormatSingle(0, 1, static_cast<float>(*layer.mm)) + " mm は入力できません。");
  }
  if (!layers.empty() && (Calc.LayerKinds.front() != 'A' || Calc.LayerKinds.back() != 'A'))
    return Refuse("層構成の最初と最後は＜熱伝達率α＞を選んで下さい。");

  const int said = MessageLinesShown();
  if (!SaveCalcFile(path)) {
    if (MessageLinesShown() == said) Complain("new", NativePath(path) + ": 保存できませんでした。");
    return kExitUsage;
  }
  std::cout << NativePath(path) << "\n";
  return kExitDone;
}

}  // namespace kondra::cli
