#include "assess/Annual.h"

#include <algorithm>
#include <cmath>

namespace kondra {
namespace {

constexpr double kPaPerMmHg = 133.322368;
constexpr double kMouldCheckRes = 0.25 / 0.86;  // 0.25 m²·K/W in m²·h·°C/kcal
constexpr double kCriticalHumidity = 0.8;
constexpr double kHeatingDifference = 5.0;  // K
constexpr double kNoFlow = 1e-9;  // g/(m²·h): below this a plane neither gains nor loses
constexpr double kClassPress[6] = {0, 270, 540, 810, 1080, 1350};

struct Point {
  double z, p;  // m²·h·mmHg/g, mmHg
  int boundary;
};

double Cross(const Point& o, const Point& a, const Point& b) {
  return (a.z - o.z) * (b.p - o.p) - (a.p - o.p) * (b.z - o.z);
}

// The boundaries of one month's pressure profile: side A air, the planes,
// side B air. Held planes stay at saturation; between them (and the ends) the
// profile is the lower convex hull of the saturation points.
std::vector<Point> Profile(const std::vector<Point>& sat, double pe, double pi, const std::vector<bool>& held) {
  const std::size_t last = sat.size() - 1;
  std::vector<std::size_t> fixed{0};
  for (std::size_t k = 1; k < last; ++k)
    if (held[k]) fixed.push_back(k);
  fixed.push_back(last);
  auto at = [&](std::size_t k) {
    Point p = sat[k];
    if (k == 0) p.p = pe;
    if (k == last) p.p = pi;
    return p;
  };
  std::vector<Point> hull{at(0)};
  for (std::size_t f = 0; f + 1 < fixed.size(); ++f) {
    const std::size_t base = hull.size() - 1;
    for (std::size_t k = fixed[f] + 1; k <= fixed[f + 1]; ++k) {
      const Point next = at(k);
      while (hull.size() >= base + 2 && Cross(hull[hull.size() - 2], hull.back(), next) <= 0) hull.pop_back();
      hull.push_back(next);
    }
  }
  return hull;
}

struct Flow {
  int boundary;
  double rate;
};

std::vector<Flow> Flows(const std::vector<Point>& hull) {
  std::vector<Flow> flows;
  for (std::size_t i = 1; i + 1 < hull.size(); ++i) {
    const Point &a = hull[i - 1], &c = hull[i], &b = hull[i + 1];
    flows.push_back({c.boundary, (b.p - c.p) / (b.z - c.z) - (c.p - a.p) / (c.z - a.z)});
  }
  return flows;
}

}  // namespace

double AnnualSatPress(double temp) {
  return temp >= 0 ? 610.5 * std::exp(17.269 * temp / (237.3 + temp)) : 610.5 * std::exp(21.875 * temp / (265.5 + temp));
}

double AnnualSatTemp(double press) {
  const double l = std::log(press / 610.5);
  return press >= 610.5 ? 237.3 * l / (17.269 - l) : 265.5 * l / (21.875 - l);
}

int MonthDays(int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month >= 1 && month <= 12 ? kDays[month - 1] : 0;
}

double VapourPressOf(double temp, double relHum) { return relHum / 100.0 * AnnualSatPress(temp); }

double ClassInsidePress(int humidityClass, double outsideTemp, double outsidePress, double insideTemp) {
  const int k = std::clamp(humidityClass, 1, 5);
  const double share = std::clamp((20.0 - outsideTemp) / 20.0, 0.0, 1.0);
  return std::min(outsidePress + kClassPress[k] * share, AnnualSatPress(insideTemp));
}

std::string VerdictText(AnnualVerdict verdict) {
  switch (verdict) {
    case AnnualVerdict::Dries: return "年間で乾燥する";
    case AnnualVerdict::Accumulates: return "年間で水分が蓄積する";
    default: return "年間を通じて内部結露なし";
  }
}

std::string VerdictKey(AnnualVerdict verdict) {
  switch (verdict) {
    case AnnualVerdict::Dries: return "dries";
    case AnnualVerdict::Accumulates: return "accumulates";
    default: return "none";
  }
}

bool AssessYear(const std::vector<AnnualRow>& rows, const YearClimate& climate, AnnualResult& result,
                std::string& problem) {
  result = AnnualResult{};
  if (rows.size() < 2) {
    problem = "層構成が2行未満なので、年間の判定はできません。";
    return false;
  }
  double rt = 0, zt = 0;
  std::vector<double> cumR{0}, cumZ{0};
  for (std::size_t k = 0; k < rows.size(); ++k) {
    if (!(rows[k].thermalRes > 0) || !(rows[k].vapourRes > 0)) {
      problem = std::to_string(k + 1) + "層目の熱抵抗か透湿抵抗が0以下なので、年間の判定はできません。";
      return false;
    }
    rt += rows[k].thermalRes;
    zt += rows[k].vapourRes;
    cumR.push_back(rt);
    cumZ.push_back(zt);
  }
  const std::size_t boundaries = cumR.size();  // side A air .. side B air

  auto saturation = [&](const MonthAir& air) {
    std::vector<Point> sat(boundaries);
    for (std::size_t k = 0; k < boundaries; ++k) {
      const double temp = air.outsideTemp + (air.insideTemp - air.outsideTemp) * cumR[k] / rt;
      sat[k] = {cumZ[k], AnnualSatPress(temp) / kPaPerMmHg, static_cast<int>(k) + 1};
    }
    return sat;
  };
  auto monthFlows = [&](int month, const std::vector<bool>& held) {
    const MonthAir& air = climate[static_cast<std::size_t>(month - 1)];
    return Flows(Profile(saturation(air), air.outsidePress / kPaPerMmHg, air.insidePress / kPaPerMmHg, held));
  };

  // The start: the first month that condenses after one that does not.
  const std::vector<bool> dry(boundaries, false);
  std::array<bool, 12> condenses{};
  for (int m = 1; m <= 12; ++m) {
    const auto flows = monthFlows(m, dry);
    condenses[static_cast<std::size_t>(m - 1)] =
        std::any_of(flows.begin(), flows.end(), [](const Flow& f) { return f.rate > kNoFlow; });
  }
  for (int m = 1; m <= 12 && result.startMonth == 0; ++m)
    if (condenses[static_cast<std::size_t>(m - 1)] && !condenses[static_cast<std::size_t>((m + 10) % 12)])
      result.startMonth = m;
  if (result.startMonth == 0 && condenses[0]) result.startMonth = 1;  // every month condenses

  if (result.startMonth != 0) {
    std::vector<double> water(boundaries, 0.0);
    for (int i = 0; i < 12; ++i) {
      const int month = (result.startMonth - 1 + i) % 12 + 1;
      std::vector<bool> held(boundaries);
      for (std::size_t k = 0; k < boundaries; ++k) held[k] = water[k] > 0;
      AnnualMonthResult out;
      out.month = month;
      const double hours = MonthDays(month) * 24.0;
      for (const Flow& f : monthFlows(month, held)) {
        const auto k = static_cast<std::size_t>(f.boundary - 1);
        if (!held[k] && !(f.rate > kNoFlow)) continue;
        water[k] = std::max(0.0, water[k] + f.rate * hours);
        out.planes.push_back({f.boundary, f.rate, water[k]});
      }
      for (double w : water) out.total += w;
      if (out.total > result.maxAccumulated) {
        result.maxAccumulated = out.total;
        result.maxMonth = month;
      }
      result.months.push_back(std::move(out));
    }
    const bool left = std::any_of(water.begin(), water.end(), [](double w) { return w > 0; });
    result.verdict = left ? AnnualVerdict::Accumulates : AnnualVerdict::Dries;
  }

  // The mould criterion of each heating month: the inside surface must stay
  // warm enough that its humidity stays below 80 %.
  for (int m = 1; m <= 12; ++m) {
    const MonthAir& air = climate[static_cast<std::size_t>(m - 1)];
    SurfaceMonth s{m, std::nullopt};
    if (air.insideTemp > air.outsideTemp && air.insidePress > 0) {
      const double critical = AnnualSatTemp(air.insidePress / kCriticalHumidity);
      s.fRsiMin = (critical - air.outsideTemp) / (air.insideTemp - air.outsideTemp);
      // With the two sides within a few kelvin the factor means nothing
      // (it grows without bound): the design month is a heating month.
      const bool heating = air.insideTemp - air.outsideTemp >= kHeatingDifference;
      if (heating && (!result.largestFRsiMin || *s.fRsiMin > *result.largestFRsiMin)) {
        result.largestFRsiMin = s.fRsiMin;
        result.largestFRsiMinMonth = m;
      }
    }
    result.surface.push_back(s);
  }
  const double inside = rows.back().thermalRes;
  result.fRsi = 1.0 - inside / rt;
  result.fRsiMouldCheck = 1.0 - kMouldCheckRes / (rt - inside + kMouldCheckRes);
  return true;
}

}  // namespace kondra
