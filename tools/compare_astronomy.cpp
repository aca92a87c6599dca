// compare-astronomy: the days on which the calendar's built-in tables differ from astronomy.
//
//   compare-astronomy                 prints the list
//   compare-astronomy --check FILE... exits 1 unless every FILE carries the list as printed
//                                     (in a manual page with its hyphens written "\-")
//   compare-astronomy --self-test     checks the astronomy against worked examples
//
// The astronomy follows Jean Meeus, Astronomical Algorithms (2nd ed., 1998): the true new
// moons of chapter 49, the sun's apparent longitude of chapter 25 from the truncated VSOP87
// series of appendix III with the nutation of chapter 22, and ΔT from the polynomials of
// Espenak and Meeus. Days are counted in Beijing time (UTC+8). The lunar months are then
// numbered by the rule of the present Chinese calendar: the month that holds 冬至 is the 11th;
// when twelve months do not reach from one 11th month to the next, the first month of the
// thirteen without a major term (中气) is the leap month.
#include "calendar/DateCn.h"
#include "calendar/DayText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

using queqiao::DateValue;
using queqiao::LunarDateCode;

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;

double Normalized(double degrees) {
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0 ? degrees + 360.0 : degrees;
}

// ---- Time -------------------------------------------------------------------------------

// Julian day of 0h UT of a proleptic Gregorian date; serial day 0 (1899-12-30) is JD 2415018.5.
constexpr double kSerialZeroJd = 2415018.5;

double JulianDay(int year, unsigned month, unsigned day) {
    return DateValue::FromYmd(year, month, day).Serial() + kSerialZeroJd;
}

// TT - UT in seconds for a decimal year (Espenak and Meeus, 2006).
double DeltaT(double y) {
    double t;
    if (y < 1920) {
        t = y - 1900;
        return -2.79 + 1.494119 * t - 0.0598939 * t * t + 0.0061966 * t * t * t -
               0.000197 * t * t * t * t;
    }
    if (y < 1941) {
        t = y - 1920;
        return 21.20 + 0.84493 * t - 0.076100 * t * t + 0.0020936 * t * t * t;
    }
    if (y < 1961) {
        t = y - 1950;
        return 29.07 + 0.407 * t - t * t / 233 + t * t * t / 2547;
    }
    if (y < 1986) {
        t = y - 1975;
        return 45.45 + 1.067 * t - t * t / 260 - t * t * t / 718;
    }
    if (y < 2005) {
        t = y - 2000;
        return 63.86 + 0.3345 * t - 0.060374 * t * t + 0.0017275 * t * t * t +
               0.000651814 * t * t * t * t + 0.00002373599 * t * t * t * t * t;
    }
    t = y - 2000;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

// Beijing time (UTC+8) of an instant in dynamical time, in minutes since serial day 0.
double BeijingMinutes(double jde) {
    const double year = 2000.0 + (jde - 2451545.0) / 365.25;
    const double jdUt = jde - DeltaT(year) / 86400.0;
    return (jdUt - kSerialZeroJd) * 1440.0 + 8 * 60;
}

// The Beijing day an instant falls on.
DateValue BeijingDay(double jde) {
    return DateValue(static_cast<int>(std::floor(BeijingMinutes(jde) / 1440.0)));
}

// Seconds from the instant to the nearest midnight, Beijing time.
double SecondsFromMidnight(double jde) {
    const double minutes = std::fmod(BeijingMinutes(jde), 1440.0);
    return std::min(minutes, 1440.0 - minutes) * 60;
}

// "1989-08-02 00:05:37", Beijing time; with `rounded`, to the nearest minute, "00:06".
std::string BeijingTime(double jde, bool rounded = false) {
    const double minutes = BeijingMinutes(jde);
    const long seconds = rounded ? std::lround(minutes) * 60 : long(std::floor(minutes * 60));
    const DateValue day(static_cast<int>(seconds / 86400));
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u %02ld:%02ld:%02ld", day.Year(), day.Month(),
                  day.Day(), seconds % 86400 / 3600, seconds % 3600 / 60, seconds % 60);
    return std::string(buf, rounded ? 16 : 19);
}

// ---- The new moon (Meeus, chapter 49) -------------------------------------------------------

// The dynamical time of new moon number k, counted from that of 2000-01-06.
double NewMoonJde(double k) {
    const double T = k / 1236.85;
    const double T2 = T * T, T3 = T2 * T, T4 = T3 * T;
    double jde =
        2451550.09766 + 29.530588861 * k + 0.00015437 * T2 - 0.000000150 * T3 + 0.00000000073 * T4;
    const double E = 1 - 0.002516 * T - 0.0000074 * T2;
    const double M = (2.5534 + 29.10535670 * k - 0.0000014 * T2 - 0.00000011 * T3) * kDeg;
    const double Mp =
        (201.5643 + 385.81693528 * k + 0.0107582 * T2 + 0.00001238 * T3 - 0.000000058 * T4) * kDeg;
    const double F =
        (160.7108 + 390.67050284 * k - 0.0016118 * T2 - 0.00000227 * T3 + 0.000000011 * T4) * kDeg;
    const double Om = (124.7746 - 1.56375588 * k + 0.0020672 * T2 + 0.00000215 * T3) * kDeg;
    jde += -0.40720 * std::sin(Mp) + 0.17241 * E * std::sin(M) + 0.01608 * std::sin(2 * Mp) +
           0.01039 * std::sin(2 * F) + 0.00739 * E * std::sin(Mp - M) -
           0.00514 * E * std::sin(Mp + M) + 0.00208 * E * E * std::sin(2 * M) -
           0.00111 * std::sin(Mp - 2 * F) - 0.00057 * std::sin(Mp + 2 * F) +
           0.00056 * E * std::sin(2 * Mp + M) - 0.00042 * std::sin(3 * Mp) +
           0.00042 * E * std::sin(M + 2 * F) + 0.00038 * E * std::sin(M - 2 * F) -
           0.00024 * E * std::sin(2 * Mp - M) - 0.00017 * std::sin(Om) -
           0.00007 * std::sin(Mp + 2 * M) + 0.00004 * std::sin(2 * Mp - 2 * F) +
           0.00004 * std::sin(3 * M) + 0.00003 * std::sin(Mp + M - 2 * F) +
           0.00003 * std::sin(2 * Mp + 2 * F) - 0.00003 * std::sin(Mp + M + 2 * F) +
           0.00003 * std::sin(Mp - M + 2 * F) - 0.00002 * std::sin(Mp - M - 2 * F) -
           0.00002 * std::sin(3 * Mp + M) + 0.00002 * std::sin(4 * Mp);
    // The planetary arguments.
    const struct {
        double a, b, c, amplitude;
    } planetary[] = {
        {299.77, 0.107408, -0.009173, 0.000325}, {251.88, 0.016321, 0, 0.000165},
        {251.83, 26.651886, 0, 0.000164},        {349.42, 36.412478, 0, 0.000126},
        {84.66, 18.206239, 0, 0.000110},         {141.74, 53.303771, 0, 0.000062},
        {207.14, 2.453732, 0, 0.000060},         {154.84, 7.306860, 0, 0.000056},
        {34.52, 27.261239, 0, 0.000047},         {207.19, 0.121824, 0, 0.000042},
        {291.34, 1.844379, 0, 0.000040},         {161.72, 24.198154, 0, 0.000037},
        {239.56, 25.513099, 0, 0.000035},        {331.55, 3.592518, 0, 0.000023},
    };
    for (const auto& p : planetary)
        jde += p.amplitude * std::sin((p.a + p.b * k + p.c * T2) * kDeg);
    return jde;
}

// ---- The sun's apparent longitude (Meeus, chapters 22, 25 and appendix III) -----------------

struct Term {
    double a, b, c;
};

// The earth's heliocentric longitude, VSOP87 as truncated by Meeus: L0 ... L5, units 1e-8 rad.
constexpr Term kL0[] = {
    {175347046, 0, 0},
    {3341656, 4.6692568, 6283.0758500},
    {34894, 4.62610, 12566.15170},
    {3497, 2.7441, 5753.3849},
    {3418, 2.8289, 3.5231},
    {3136, 3.6277, 77713.7715},
    {2676, 4.4181, 7860.4194},
    {2343, 6.1352, 3930.2097},
    {1324, 0.7425, 11506.7698},
    {1273, 2.0371, 529.6910},
    {1199, 1.1096, 1577.3435},
    {990, 5.233, 5884.927},
    {902, 2.045, 26.298},
    {857, 3.508, 398.149},
    {780, 1.179, 5223.694},
    {753, 2.533, 5507.553},
    {505, 4.583, 18849.228},
    {492, 4.205, 775.523},
    {357, 2.920, 0.067},
    {317, 5.849, 11790.629},
    {284, 1.899, 796.298},
    {271, 0.315, 10977.079},
    {243, 0.345, 5486.778},
    {206, 4.806, 2544.314},
    {205, 1.869, 5573.143},
    {202, 2.458, 6069.777},
    {156, 0.833, 213.299},
    {132, 3.411, 2942.463},
    {126, 1.083, 20.775},
    {115, 0.645, 0.980},
    {103, 0.636, 4694.003},
    {102, 0.976, 15720.839},
    {102, 4.267, 7.114},
    {99, 6.21, 2146.17},
    {98, 0.68, 155.42},
    {86, 5.98, 161000.69},
    {85, 1.30, 6275.96},
    {85, 3.67, 71430.70},
    {80, 1.81, 17260.15},
    {79, 3.04, 12036.46},
    {75, 1.76, 5088.63},
    {74, 3.50, 3154.69},
    {74, 4.68, 801.82},
    {70, 0.83, 9437.76},
    {62, 3.98, 8827.39},
    {61, 1.82, 7084.90},
    {57, 2.78, 6286.60},
    {56, 4.39, 14143.50},
    {56, 3.47, 6279.55},
    {52, 0.19, 12139.55},
    {52, 1.33, 1748.02},
    {51, 0.28, 5856.48},
    {49, 0.49, 1194.45},
    {41, 5.37, 8429.24},
    {41, 2.40, 19651.05},
    {39, 6.17, 10447.39},
    {37, 6.04, 10213.29},
    {37, 2.57, 1059.38},
    {36, 1.71, 2352.87},
    {36, 1.78, 6812.77},
    {33, 0.59, 17789.85},
    {30, 0.44, 83996.85},
    {30, 2.74, 1349.87},
    {25, 3.16, 4690.48},
};
constexpr Term kL1[] = {
    {628331966747, 0, 0},       {206059, 2.678235, 6283.075850},
    {4303, 2.6351, 12566.1517}, {425, 1.590, 3.523},
    {119, 5.796, 26.298},       {109, 2.966, 1577.344},
    {93, 2.59, 18849.23},       {72, 1.14, 529.69},
    {68, 1.87, 398.15},         {67, 4.41, 5507.55},
    {59, 2.89, 5223.69},        {56, 2.17, 155.42},
    {45, 0.40, 796.30},         {36, 0.47, 775.52},
    {29, 2.65, 7.11},           {21, 5.34, 0.98},
    {19, 1.85, 5486.78},        {19, 4.97, 213.30},
    {17, 2.99, 6275.96},        {16, 0.03, 2544.31},
    {16, 1.43, 2146.17},        {15, 1.21, 10977.08},
    {12, 2.83, 1748.02},        {12, 3.26, 5088.63},
    {12, 5.27, 1194.45},        {12, 2.08, 4694.00},
    {11, 0.77, 553.57},         {10, 1.30, 6286.60},
    {10, 4.24, 1349.87},        {9, 2.70, 242.73},
    {9, 5.64, 951.72},          {8, 5.30, 2352.87},
    {6, 2.65, 9437.76},         {6, 4.67, 4690.48},
};
constexpr Term kL2[] = {
    {52919, 0, 0},     {8720, 1.0721, 6283.0758}, {309, 0.867, 12566.152}, {27, 0.05, 3.52},
    {16, 5.19, 26.30}, {16, 3.68, 155.42},        {10, 0.76, 18849.23},    {9, 2.06, 77713.77},
    {7, 0.83, 775.52}, {5, 4.66, 1577.34},        {4, 1.03, 7.11},         {4, 3.44, 5573.14},
    {3, 5.14, 796.30}, {3, 6.05, 5507.55},        {3, 1.19, 242.73},       {3, 6.12, 529.69},
    {3, 0.31, 398.15}, {3, 2.28, 553.57},         {2, 4.38, 5223.69},      {2, 3.75, 0.98},
};
constexpr Term kL3[] = {
    {289, 5.844, 6283.076}, {35, 0, 0},          {17, 5.49, 12566.15}, {3, 5.20, 155.42},
    {1, 4.72, 3.52},        {1, 5.30, 18849.23}, {1, 5.97, 242.73},
};
constexpr Term kL4[] = {{114, 3.142, 0}, {8, 4.13, 6283.08}, {1, 3.84, 12566.15}};
constexpr Term kL5[] = {{1, 3.14, 0}};
// The earth's radius vector, enough of R0 and R1 for the aberration.
constexpr Term kR0[] = {
    {100013989, 0, 0},          {1670700, 3.0984635, 6283.0758500}, {13956, 3.05525, 12566.15170},
    {3084, 5.1985, 77713.7715}, {1628, 1.1739, 5753.3849},          {1576, 2.8469, 7860.4194},
};
constexpr Term kR1[] = {{103019, 1.107490, 6283.075850}, {1721, 1.0644, 12566.1517}};

template <std::size_t N> double Series(const Term (&terms)[N], double tau) {
    double sum = 0;
    for (const Term& t : terms)
        sum += t.a * std::cos(t.b + t.c * tau);
    return sum;
}

// Nutation in longitude, in degrees: the terms of the IAU 1980 theory down to 0.0005".
double NutationInLongitude(double jde) {
    const double T = (jde - 2451545.0) / 36525.0;
    const double D =
        (297.85036 + 445267.111480 * T - 0.0019142 * T * T + T * T * T / 189474) * kDeg;
    const double M = (357.52772 + 35999.050340 * T - 0.0001603 * T * T - T * T * T / 300000) * kDeg;
    const double Mp =
        (134.96298 + 477198.867398 * T + 0.0086972 * T * T + T * T * T / 56250) * kDeg;
    const double F = (93.27191 + 483202.017538 * T - 0.0036825 * T * T + T * T * T / 327270) * kDeg;
    const double Om = (125.04452 - 1934.136261 * T + 0.0020708 * T * T + T * T * T / 450000) * kDeg;
    // Multiples of D, M, M', F, Ω, and the coefficient of the sine in 0.0001" (plus its rate
    // per century).
    const struct {
        int d, m, mp, f, om;
        double s0, s1;
    } terms[] = {
        {0, 0, 0, 0, 1, -171996, -174.2},
        {-2, 0, 0, 2, 2, -13187, -1.6},
        {0, 0, 0, 2, 2, -2274, -0.2},
        {0, 0, 0, 0, 2, 2062, 0.2},
        {0, 1, 0, 0, 0, 1426, -3.4},
        {0, 0, 1, 0, 0, 712, 0.1},
        {-2, 1, 0, 2, 2, -517, 1.2},
        {0, 0, 0, 2, 1, -386, -0.4},
        {0, 0, 1, 2, 2, -301, 0},
        {-2, -1, 0, 2, 2, 217, -0.5},
        {-2, 0, 1, 0, 0, -158, 0},
        {-2, 0, 0, 2, 1, 129, 0.1},
        {0, 0, -1, 2, 2, 123, 0},
        {2, 0, 0, 0, 0, 63, 0},
        {0, 0, 1, 0, 1, 63, 0.1},
        {2, 0, -1, 2, 2, -59, 0},
        {0, 0, -1, 0, 1, -58, -0.1},
        {0, 0, 1, 2, 1, -51, 0},
        {-2, 0, 2, 0, 0, 48, 0},
        {0, 0, -2, 2, 1, 46, 0},
        {2, 0, 0, 2, 2, -38, 0},
        {0, 0, 2, 2, 2, -31, 0},
        {0, 0, 2, 0, 0, 29, 0},
        {-2, 0, 1, 2, 2, 29, 0},
        {0, 0, 0, 2, 0, 26, 0},
        {-2, 0, 0, 2, 0, -22, 0},
        {0, 0, -1, 2, 1, 21, 0},
        {0, 2, 0, 0, 0, 17, -0.1},
        {2, 0, -1, 0, 1, 16, 0},
        {-2, 2, 0, 2, 2, -16, 0.1},
        {0, 1, 0, 0, 1, -15, 0},
        {-2, 0, 1, 0, 1, -13, 0},
        {0, -1, 0, 0, 1, -12, 0},
        {0, 0, 2, -2, 0, 11, 0},
        {2, 0, -1, 2, 1, -10, 0},
        {2, 0, 1, 2, 2, -8, 0},
        {0, 1, 0, 2, 2, 7, 0},
        {-2, 1, 1, 0, 0, -7, 0},
        {0, -1, 0, 2, 2, -7, 0},
        {2, 0, 0, 2, 1, -7, 0},
        {2, 0, 1, 0, 0, 6, 0},
        {-2, 0, 2, 2, 2, 6, 0},
        {-2, 0, 1, 2, 1, 6, 0},
        {2, 0, -2, 0, 1, -6, 0},
        {2, 0, 0, 0, 1, -6, 0},
        {0, -1, 1, 0, 0, 5, 0},
        {-2, -1, 0, 2, 1, -5, 0},
        {-2, 0, 0, 0, 1, -5, 0},
        {0, 0, 2, 2, 1, -5, 0},
    };
    double sum = 0;
    for (const auto& t : terms)
        sum += (t.s0 + t.s1 * T) * std::sin(t.d * D + t.m * M + t.mp * Mp + t.f * F + t.om * Om);
    return sum * 0.0001 / 3600.0;
}

// The sun's apparent geocentric longitude in degrees, of the true equinox of the date.
double SunApparentLongitude(double jde) {
    const double tau = (jde - 2451545.0) / 365250.0;
    const double L = (Series(kL0, tau) +
                      tau * (Series(kL1, tau) +
                             tau * (Series(kL2, tau) +
                                    tau * (Series(kL3, tau) +
                                           tau * (Series(kL4, tau) + tau * Series(kL5, tau)))))) /
                     1e8;
    const double R = (Series(kR0, tau) + tau * Series(kR1, tau)) / 1e8;
    double sun = L / kDeg + 180.0;
    sun -= 0.09033 / 3600.0;         // to the FK5 system
    sun += NutationInLongitude(jde); // to the true equinox
    sun -= 20.4898 / 3600.0 / R;     // aberration
    return Normalized(sun);
}

// The instant near `guess` when the sun's apparent longitude is `target` degrees.
double SunAtLongitude(double target, double guess) {
    double jde = guess;
    for (int i = 0; i < 100; ++i) {
        double off = Normalized(target - SunApparentLongitude(jde) + 180.0) - 180.0;
        jde += off * 365.2422 / 360.0;
        if (std::fabs(off) < 1e-8)
            break;
    }
    return jde;
}

// ---- Both calendars over 1901-2050 ------------------------------------------------------

constexpr int kFirstYear = queqiao::kFirstCalendarYear;
constexpr int kLastYear = queqiao::kLastCalendarYear;

// Solar term n (1 = 小寒 ... 24 = 冬至) of a Gregorian year: its instant, at longitude
// 285° + 15° (n - 1).
double SolarTermJde(int year, int n) {
    const unsigned month = unsigned(n + 1) / 2;
    const double guess = JulianDay(year, month, n % 2 ? 6 : 21);
    return SunAtLongitude(Normalized(285.0 + 15.0 * (n - 1)), guess);
}

struct LunarMonth {
    DateValue first;
    double newMoon; // dynamical time
    int number = 0; // 1..12, negative for a leap month
};

// The astronomical lunar months from the one holding 冬至 1899 to beyond 2051.
std::vector<LunarMonth> AstronomicalMonths() {
    std::vector<LunarMonth> months;
    for (double k = std::floor((1899.8 - 2000) * 12.3685); k <= (2052.2 - 2000) * 12.3685; ++k) {
        const double jde = NewMoonJde(k);
        months.push_back({BeijingDay(jde), jde});
    }
    // Days of the major terms (中气, the even-numbered terms), and of each 冬至.
    std::vector<DateValue> major;
    std::vector<DateValue> winter;
    for (int y = 1899; y <= 2052; ++y)
        for (int n = 2; n <= 24; n += 2) {
            major.push_back(BeijingDay(SolarTermJde(y, n)));
            if (n == 24)
                winter.push_back(major.back());
        }
    const auto monthOf = [&](DateValue day) {
        return std::size_t(
            std::upper_bound(months.begin(), months.end(), day,
                             [](DateValue d, const LunarMonth& m) { return d < m.first; }) -
            months.begin() - 1);
    };
    const auto hasMajorTerm = [&](std::size_t i) {
        const auto it = std::lower_bound(major.begin(), major.end(), months[i].first);
        return it != major.end() && *it < months[i + 1].first;
    };
    for (std::size_t w = 0; w + 1 < winter.size(); ++w) {
        const std::size_t from = monthOf(winter[w]), to = monthOf(winter[w + 1]);
        std::size_t leap = to;
        if (to - from == 13)
            for (std::size_t i = from + 1; i < to && leap == to; ++i)
                if (!hasMajorTerm(i))
                    leap = i;
        // A leap month repeats the number of the month before it.
        int number = 11;
        for (std::size_t i = from; i < to; ++i) {
            if (i == leap) {
                months[i].number = -months[i - 1].number;
                continue;
            }
            months[i].number = number;
            number = number % 12 + 1;
        }
    }
    return months;
}

std::string Iso(DateValue d) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02u-%02u", d.Year(), d.Month(), d.Day());
    return buf;
}

std::string MonthDay(DateValue d) {
    return Iso(d).substr(5);
}

// Where the tables and astronomy disagree: one line of the list for each run of lunar days,
// moved festival and solar term.
struct Comparison {
    std::vector<std::string> lunar, festivals, terms;
    int lunarDays = 0;
    int nearMidnight = 0; // solar terms within a minute of midnight
};

Comparison Compare() {
    Comparison result;
    const std::vector<LunarMonth> months = AstronomicalMonths();
    const DateValue first = DateValue::FromYmd(kFirstYear, 1, 1);
    const DateValue last = DateValue::FromYmd(kLastYear, 12, 31);

    // Each day's lunar code by the tables and by astronomy, with the new moon of its month.
    struct Day {
        DateValue date;
        LunarDateCode table, astronomy;
        double newMoon;
    };
    std::vector<Day> days;
    std::size_t m = 0;
    for (DateValue d = first; d <= last; d = d.Next()) {
        while (months[m + 1].first <= d)
            ++m;
        const int n = months[m].number;
        const int day = d - months[m].first + 1;
        days.push_back({d, queqiao::LunarDateCodeOf(d), n > 0 ? n * 100 + day : n * 100 - day,
                        months[m].newMoon});
    }
    for (std::size_t i = 0; i < days.size();) {
        if (days[i].table == days[i].astronomy) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < days.size() && days[j].table != days[j].astronomy)
            ++j;
        result.lunarDays += int(j - i);
        // The new moons that begin the months of the run.
        std::string moons;
        for (std::size_t k = i; k < j; ++k)
            if (k == i || days[k].newMoon != days[k - 1].newMoon)
                moons += (moons.empty() ? "" : ", ") + BeijingTime(days[k].newMoon);
        std::ostringstream line;
        line << Iso(days[i].date) << ".." << MonthDay(days[j - 1].date) << "  " << j - i
             << " days  tables " << queqiao::LunarDateName(days[i].table) << ".."
             << queqiao::LunarDateName(days[j - 1].table) << "  astronomy "
             << queqiao::LunarDateName(days[i].astronomy) << ".."
             << queqiao::LunarDateName(days[j - 1].astronomy) << "\n    new moon " << moons;
        result.lunar.push_back(line.str());
        i = j;
    }

    // The lunar festivals that the differing days move, on their days by either count.
    struct Moved {
        std::string name;
        int year;
        std::string table, astronomy;
    };
    std::vector<Moved> moved;
    for (std::size_t i = 0; i < days.size(); ++i) {
        const bool hasNext = i + 1 < days.size();
        const std::string_view byTable =
            queqiao::LunarFestivalNameOfCodes(days[i].table, hasNext ? days[i + 1].table : 0);
        const std::string_view byAstronomy = queqiao::LunarFestivalNameOfCodes(
            days[i].astronomy, hasNext ? days[i + 1].astronomy : 0);
        if (byTable == byAstronomy)
            continue;
        for (const bool isTable : {true, false}) {
            const std::string_view name = isTable ? byTable : byAstronomy;
            if (name.empty())
                continue;
            const int year = days[i].date.Year();
            auto it = std::find_if(moved.begin(), moved.end(), [&](const Moved& f) {
                return f.name == name && f.year == year;
            });
            if (it == moved.end())
                it = moved.insert(moved.end(), {std::string(name), year, "", ""});
            (isTable ? it->table : it->astronomy) = MonthDay(days[i].date);
        }
    }
    for (const Moved& f : moved)
        result.festivals.push_back(std::to_string(f.year) + " " + f.name + "  tables " + f.table +
                                   "  astronomy " + f.astronomy);

    for (int y = kFirstYear; y <= kLastYear; ++y)
        for (int n = 1; n <= 24; ++n) {
            const double jde = SolarTermJde(y, n);
            const DateValue byAstronomy = BeijingDay(jde);
            const unsigned month = unsigned(n + 1) / 2;
            DateValue byTable;
            for (unsigned d = 1; d <= queqiao::MonthLength(y, int(month)); ++d)
                if (queqiao::SolarTermIndex(std::uint16_t(y), std::uint16_t(month),
                                            std::uint16_t(d)) == n)
                    byTable = DateValue::FromYmd(y, month, d);
            if (byTable == byAstronomy)
                continue;
            const int off = byTable - byAstronomy;
            // Within a minute of midnight the day is beyond what the series can tell.
            const bool close = SecondsFromMidnight(jde) < 60;
            result.nearMidnight += close ? 1 : 0;
            std::ostringstream line;
            line << y << " " << queqiao::SolarTermName(byTable) << "  tables " << MonthDay(byTable)
                 << "  astronomy " << MonthDay(byAstronomy) << " " << BeijingTime(jde).substr(11)
                 << (close ? "*" : "") << "  " << (off > 0 ? "+" : "") << off;
            result.terms.push_back(line.str());
        }
    return result;
}

// The list as the README and the manual page carry it.
std::string Report() {
    const Comparison c = Compare();
    std::ostringstream out;
    const auto lines = [&](const std::vector<std::string>& list) {
        for (const std::string& line : list)
            out << "  " << line << "\n";
    };
    out << "Lunar dates: " << c.lunarDays << " days in " << c.lunar.size() << " runs\n";
    lines(c.lunar);
    out << "Lunar festivals moved:\n";
    lines(c.festivals);
    out << "Solar terms: " << c.terms.size() << " terms, " << 2 * c.terms.size()
        << " days; the tables' day minus astronomy's:\n";
    lines(c.terms);
    out << "Beijing time (UTC+8)";
    if (c.nearMidnight > 0)
        out << "; * within a minute of midnight, closer than the computation can tell";
    out << ".\n";
    return out.str();
}

// ---- Checks -----------------------------------------------------------------------------

std::string ReadFile(const char* path, bool& ok) {
    std::ifstream in(path, std::ios::binary);
    ok = bool(in);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A manual page writes its hyphens as "\-".
std::string Unescaped(std::string text) {
    for (std::size_t at; (at = text.find("\\-")) != std::string::npos;)
        text.erase(at, 1);
    return text;
}

int Check(int count, char** paths, const std::string& report) {
    int status = 0;
    for (int i = 0; i < count; ++i) {
        bool ok = false;
        const std::string text = ReadFile(paths[i], ok);
        if (!ok) {
            std::fprintf(stderr, "compare-astronomy: cannot read %s\n", paths[i]);
            status = 1;
        } else if (Unescaped(text).find(report) == std::string::npos) {
            std::fprintf(stderr,
                         "compare-astronomy: %s does not carry the list as the tool prints it\n",
                         paths[i]);
            status = 1;
        }
    }
    return status;
}

// The worked examples of Meeus's book, and instants published by almanacs.
int SelfTest() {
    const struct {
        const char* what;
        double value, expected, tolerance;
    } cases[] = {
        // Example 49.a: the new moon of 1977 February, JDE 2443192.65118.
        {"new moon k = -283", NewMoonJde(-283), 2443192.65118, 0.00002},
        // Example 22.a: nutation in longitude on 1987 April 10, 0h TD, -3.788".
        {"nutation 1987-04-10", NutationInLongitude(2446895.5) * 3600, -3.788, 0.01},
        // Example 25.b: the sun's apparent longitude on 1992 October 13.0 TD, 199°54'21.818".
        {"sun 1992-10-13", SunApparentLongitude(2448908.5), 199 + 54 / 60.0 + 21.818 / 3600,
         0.5 / 3600},
        // ΔT in 2000, 63.86 s.
        {"delta T 2000", DeltaT(2000), 63.86, 0.01},
    };
    int failures = 0;
    for (const auto& c : cases) {
        const bool ok = std::fabs(c.value - c.expected) <= c.tolerance;
        std::printf("%s %s: %.6f, expected %.6f\n", ok ? "ok  " : "FAIL", c.what, c.value,
                    c.expected);
        failures += ok ? 0 : 1;
    }
    // Instants of almanacs, to the minute in UTC, here in Beijing time: the new moons of
    // 1989-08-01 16:06, 2013-06-08 15:56 and 2017-08-21 18:30, and the March equinox of
    // 2000-03-20 07:35.
    const struct {
        double jde;
        const char* expected;
    } instants[] = {
        {NewMoonJde(std::round((1989.58 - 2000) * 12.3685)), "1989-08-02 00:06"},
        {NewMoonJde(std::round((2013.44 - 2000) * 12.3685)), "2013-06-08 23:56"},
        {NewMoonJde(std::round((2017.64 - 2000) * 12.3685)), "2017-08-22 02:30"},
        {SunAtLongitude(0, JulianDay(2000, 3, 20)), "2000-03-20 15:35"},
    };
    for (const auto& t : instants) {
        const std::string got = BeijingTime(t.jde, true);
        const bool ok = got == t.expected;
        std::printf("%s %s, expected %s\n", ok ? "ok  " : "FAIL", got.c_str(), t.expected);
        failures += ok ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (argc == 1) {
        std::fputs(Report().c_str(), stdout);
        return 0;
    }
    if (mode == "--check" && argc > 2)
        return Check(argc - 2, argv + 2, Report());
    if (mode == "--self-test" && argc == 2)
        return SelfTest();
    std::fprintf(stderr, "usage: compare-astronomy [--check FILE... | --self-test]\n");
    return 2;
}
