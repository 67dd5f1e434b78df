#include "weather/JapanStations.h"

namespace kondra {

namespace {

constexpr Prefecture kPrefectures[] = {
    {"HK", "HOKKAIDO", "北海道", 1, "北海道"},    {"AM", "AOMORI", "青森県", 2, "東北"},
    {"IT", "IWATE", "岩手県", 3, "東北"},         {"MG", "MIYAGI", "宮城県", 4, "東北"},
    {"AT", "AKITA", "秋田県", 5, "東北"},         {"YG", "YAMAGATA", "山形県", 6, "東北"},
    {"FS", "FUKUSHIMA", "福島県", 7, "東北"},     {"IB", "IBARAKI", "茨城県", 8, "関東"},
    {"TG", "TOCHIGI", "栃木県", 9, "関東"},       {"GM", "GUNMA", "群馬県", 10, "関東"},
    {"ST", "SAITAMA", "埼玉県", 11, "関東"},      {"CB", "CHIBA", "千葉県", 12, "関東"},
    {"TK", "TOKYO", "東京都", 13, "関東"},        {"KN", "KANAGAWA", "神奈川県", 14, "関東"},
    {"NG", "NIIGATA", "新潟県", 15, "中部"},      {"TY", "TOYAMA", "富山県", 16, "中部"},
    {"IS", "ISHIKAWA", "石川県", 17, "中部"},     {"FI", "FUKUI", "福井県", 18, "中部"},
    {"YN", "YAMANASHI", "山梨県", 19, "中部"},    {"NN", "NAGANO", "長野県", 20, "中部"},
    {"GF", "GIFU", "岐阜県", 21, "中部"},         {"SZ", "SHIZUOKA", "静岡県", 22, "中部"},
    {"AC", "AICHI", "愛知県", 23, "中部"},        {"ME", "MIE", "三重県", 24, "近畿"},
    {"SG", "SHIGA", "滋賀県", 25, "近畿"},        {"KT", "KYOTO", "京都府", 26, "近畿"},
    {"OS", "OSAKA", "大阪府", 27, "近畿"},        {"HG", "HYOGO", "兵庫県", 28, "近畿"},
    {"NR", "NARA", "奈良県", 29, "近畿"},         {"WK", "WAKAYAMA", "和歌山県", 30, "近畿"},
    {"TT", "TOTTORI", "鳥取県", 31, "中国"},      {"SM", "SHIMANE", "島根県", 32, "中国"},
    {"OY", "OKAYAMA", "岡山県", 33, "中国"},      {"HS", "HIROSHIMA", "広島県", 34, "中国"},
    {"YC", "YAMAGUCHI", "山口県", 35, "中国"},    {"TS", "TOKUSHIMA", "徳島県", 36, "四国"},
    {"KG", "KAGAWA", "香川県", 37, "四国"},       {"EH", "EHIME", "愛媛県", 38, "四国"},
    {"KC", "KOCHI", "高知県", 39, "四国"},        {"FO", "FUKUOKA", "福岡県", 40, "九州"},
    {"SA", "SAGA", "佐賀県", 41, "九州"},         {"NS", "NAGASAKI", "長崎県", 42, "九州"},
    {"KM", "KUMAMOTO", "熊本県", 43, "九州"},     {"OT", "OITA", "大分県", 44, "九州"},
    {"MZ", "MIYAZAKI", "宮崎県", 45, "九州"},     {"KS", "KAGOSHIMA", "鹿児島県", 46, "九州"},
    {"ON", "OKINAWA", "沖縄県", 47, "沖縄"},
};

// Where each station of the normals lies, and its name in Latin letters
// (Hepburn, long vowels unmarked).
constexpr StationPlace kStations[] = {
    {47401, "HK", "WAKKANAI"},     {47402, "HK", "KITAMIESASHI"},  {47404, "HK", "HABORO"},
    {47405, "HK", "OMU"},          {47406, "HK", "RUMOI"},         {47407, "HK", "ASAHIKAWA"},
    {47409, "HK", "ABASHIRI"},     {47411, "HK", "OTARU"},         {47412, "HK", "SAPPORO"},
    {47413, "HK", "IWAMIZAWA"},    {47417, "HK", "OBIHIRO"},       {47418, "HK", "KUSHIRO"},
    {47420, "HK", "NEMURO"},       {47421, "HK", "SUTTSU"},        {47423, "HK", "MURORAN"},
    {47424, "HK", "TOMAKOMAI"},    {47426, "HK", "URAKAWA"},       {47428, "HK", "ESASHI"},
    {47430, "HK", "HAKODATE"},     {47433, "HK", "KUTCHAN"},       {47435, "HK", "MOMBETSU"},
    {47440, "HK", "HIROO"},        {47512, "IT", "OFUNATO"},       {47520, "YG", "SHINJO"},
    {47570, "FS", "WAKAMATSU"},    {47574, "AM", "FUKAURA"},       {47575, "AM", "AOMORI"},
    {47576, "AM", "MUTSU"},        {47581, "AM", "HACHINOHE"},     {47582, "AT", "AKITA"},
    {47584, "IT", "MORIOKA"},      {47585, "IT", "MIYAKO"},        {47587, "YG", "SAKATA"},
    {47588, "YG", "YAMAGATA"},     {47590, "MG", "SENDAI"},        {47592, "MG", "ISHINOMAKI"},
    {47595, "FS", "FUKUSHIMA"},    {47597, "FS", "SHIRAKAWA"},     {47598, "FS", "ONAHAMA"},
    {47600, "IS", "WAJIMA"},       {47602, "NG", "AIKAWA"},        {47604, "NG", "NIIGATA"},
    {47605, "IS", "KANAZAWA"},     {47606, "TY", "FUSHIKI"},       {47607, "TY", "TOYAMA"},
    {47610, "NN", "NAGANO"},       {47612, "NG", "TAKADA"},        {47615, "TG", "UTSUNOMIYA"},
    {47616, "FI", "FUKUI"},        {47617, "GF", "TAKAYAMA"},      {47618, "NN", "MATSUMOTO"},
    {47620, "NN", "SUWA"},         {47622, "NN", "KARUIZAWA"},     {47624, "GM", "MAEBASHI"},
    {47626, "ST", "KUMAGAYA"},     {47629, "IB", "MITO"},          {47631, "FI", "TSURUGA"},
    {47632, "GF", "GIFU"},         {47636, "AC", "NAGOYA"},        {47637, "NN", "IIDA"},
    {47638, "YN", "KOFU"},         {47640, "YN", "KAWAGUCHIKO"},   {47641, "ST", "CHICHIBU"},
    {47646, "IB", "TATENO"},       {47648, "CB", "CHOSHI"},        {47649, "ME", "UENO"},
    {47651, "ME", "TSU"},          {47653, "AC", "IRAGO"},         {47654, "SZ", "HAMAMATSU"},
    {47655, "SZ", "OMAEZAKI"},     {47656, "SZ", "SHIZUOKA"},      {47657, "SZ", "MISHIMA"},
    {47662, "TK", "TOKYO"},        {47663, "ME", "OWASE"},         {47666, "SZ", "IROZAKI"},
    {47668, "SZ", "AJIRO"},        {47670, "KN", "YOKOHAMA"},      {47672, "CB", "TATEYAMA"},
    {47674, "CB", "KATSUURA"},     {47675, "TK", "OSHIMA"},        {47677, "TK", "MIYAKEJIMA"},
    {47678, "TK", "HACHIJOJIMA"},  {47682, "CB", "CHIBA"},         {47684, "ME", "YOKKAICHI"},
    {47690, "TG", "NIKKO"},        {47740, "SM", "SAIGO"},         {47741, "SM", "MATSUE"},
    {47742, "TT", "SAKAI"},        {47744, "TT", "YONAGO"},        {47746, "TT", "TOTTORI"},
    {47747, "HG", "TOYOOKA"},      {47750, "KT", "MAIZURU"},       {47754, "YC", "HAGI"},
    {47755, "SM", "HAMADA"},       {47756, "OY", "TSUYAMA"},       {47759, "KT", "KYOTO"},
    {47761, "SG", "HIKONE"},       {47762, "YC", "SHIMONOSEKI"},   {47765, "HS", "HIROSHIMA"},
    {47766, "HS", "KURE"},         {47767, "HS", "FUKUYAMA"},      {47768, "OY", "OKAYAMA"},
    {47769, "HG", "HIMEJI"},       {47770, "HG", "KOBE"},          {47772, "OS", "OSAKA"},
    {47776, "HG", "SUMOTO"},       {47777, "WK", "WAKAYAMA"},      {47778, "WK", "SHIONOMISAKI"},
    {47780, "NR", "NARA"},         {47784, "YC", "YAMAGUCHI"},     {47800, "NS", "IZUHARA"},
    {47805, "NS", "HIRADO"},       {47807, "FO", "FUKUOKA"},       {47809, "FO", "IIZUKA"},
    {47812, "NS", "SASEBO"},       {47813, "SA", "SAGA"},          {47814, "OT", "HITA"},
    {47815, "OT", "OITA"},         {47817, "NS", "NAGASAKI"},      {47818, "NS", "UNZENDAKE"},
    {47819, "KM", "KUMAMOTO"},     {47822, "MZ", "NOBEOKA"},       {47823, "KS", "AKUNE"},
    {47824, "KM", "HITOYOSHI"},    {47827, "KS", "KAGOSHIMA"},     {47829, "MZ", "MIYAKONOJO"},
    {47830, "MZ", "MIYAZAKI"},     {47831, "KS", "MAKURAZAKI"},    {47835, "MZ", "ABURATSU"},
    {47836, "KS", "YAKUSHIMA"},    {47837, "KS", "TANEGASHIMA"},   {47838, "KM", "USHIBUKA"},
    {47843, "NS", "FUKUE"},        {47887, "EH", "MATSUYAMA"},     {47890, "KG", "TADOTSU"},
    {47891, "KG", "TAKAMATSU"},    {47892, "EH", "UWAJIMA"},       {47893, "KC", "KOCHI"},
    {47895, "TS", "TOKUSHIMA"},    {47897, "KC", "SUKUMO"},        {47898, "KC", "SHIMIZU"},
    {47899, "KC", "MUROTOMISAKI"}, {47909, "KS", "NAZE"},          {47912, "ON", "YONAGUNIJIMA"},
    {47917, "ON", "IRIOMOTEJIMA"}, {47918, "ON", "ISHIGAKIJIMA"},  {47927, "ON", "MIYAKOJIMA"},
    {47929, "ON", "KUMEJIMA"},     {47936, "ON", "NAHA"},          {47940, "ON", "NAGO"},
    {47942, "KS", "OKINOERABU"},   {47945, "ON", "MINAMIDAITOJIMA"}, {47971, "TK", "CHICHIJIMA"},
    {47991, "TK", "MINAMITORISHIMA"},
};

// The representative points of the eight climate regions of the energy
// standard. 北見 is not a staffed station: it is a point of its own, at the
// position of its AMeDAS station, with a code of ours ("EES" + file number)
// because the sources give no station number for it.
constexpr HourlyPlace kHourly[] = {
    {1, 0, "HK", "KITAMI", "北見", "EES1", 43.82, 143.90},
    {2, 47413, "", "", "", "", 0, 0},
    {3, 47584, "", "", "", "", 0, 0},
    {4, 47610, "", "", "", "", 0, 0},
    {5, 47615, "", "", "", "", 0, 0},
    {6, 47768, "", "", "", "", 0, 0},
    {7, 47830, "", "", "", "", 0, 0},
    {8, 47936, "", "", "", "", 0, 0},
};

}  // namespace

std::span<const Prefecture> Prefectures() { return kPrefectures; }
std::span<const StationPlace> StationPlaces() { return kStations; }
std::span<const HourlyPlace> HourlyPlaces() { return kHourly; }

const Prefecture* FindPrefecture(std::string_view code) {
  for (const auto& p : kPrefectures)
    if (p.code == code) return &p;
  return nullptr;
}

const StationPlace* FindStationPlace(int number) {
  for (const auto& s : kStations)
    if (s.number == number) return &s;
  return nullptr;
}

}  // namespace kondra
