#pragma once

#include <array>
#include <cstdint>

// Heliocentric series of the planets: data only, evaluated in planet_position.cpp. Time t is in
// Julian years of dynamical time (since J2000.0, for Saturn since 1974-12-31 00:00). Rows are in
// the order of the published tables, with a marker every ten rows.

namespace almacor::detail {

/// One periodic term of the trigonometric form: (amplitude + amplitudeRate·t)·cos(phase + rate·t),
/// phase in degrees, rate in degrees per Julian year; the amplitude is in the unit of the series.
/// Saturn's anomaly terms use the same row with a sine.
struct PlanetTerm {
  double amplitude;
  double amplitudeRate;
  double phase;
  double rate;
};

/// The polynomial part c0 + c1·t of a trigonometric series.
struct PlanetPolynomial {
  double c0;
  double c1;
};

// Mercury
/// Mercury heliocentric ecliptic longitude, degrees: the polynomial part c0 + c1·t and 23 terms.
inline constexpr PlanetPolynomial kMercuryLongitudePolynomial = {252.2502, 1494.740714};
inline constexpr std::array<PlanetTerm, 23> kMercuryLongitudeTerms = {{
    {23.4405, 0.000023, 84.7947, 1494.725153},
    {2.9818, 0.000006, 259.589, 2989.45031},
    {0.5258, 0, 74.38, 4484.1755},
    {0.1796, 0, 137.84, 2989.4577},
    {0.1016, 0, 249.2, 5978.901},
    {0.085, 0, 143, 1494.733},
    {0.076, 0, 312.6, 4484.183},
    {0.0256, 0, 127.4, 5978.908},
    {0.023, 0, 64, 7473.626},
    {0.0081, 0, 302, 7473.63},
    // 10
    {0.0069, 0, 148, 0.01},
    {0.0052, 0, 239, 8968.35},
    {0.0023, 0, 117, 8968.36},
    {0.0019, 0, 85, 63.56},
    {0.0011, 0, 54, 10463.08},
    {0.001, 0, 234, 324.37},
    {0.0009, 0, 171, 1434.03},
    {0.0006, 0, 268, 1558.28},
    {0.0005, 0, 292, 10463.08},
    {0.0004, 0, 84, 1431.17},
    // 20
    {0.0003, 0, 63, 1819.09},
    {0.0003, 0, 288, 1233.92},
    {0.0003, 0, 11, 4484.19},
}};
/// Mercury heliocentric ecliptic latitude, degrees: the polynomial part c0 + c1·t and 17 terms.
inline constexpr PlanetPolynomial kMercuryLatitudePolynomial = {0, 0};
inline constexpr std::array<PlanetTerm, 17> kMercuryLatitudeTerms = {{
    {6.7057, 0.000017, 113.919, 1494.72886},
    {1.4396, 0.000005, 119.12, 0.0037},
    {1.3643, 0.000005, 288.71, 2989.454},
    {0.3123, 0, 103.51, 4484.1792},
    {0.0753, 0, 278.3, 5978.904},
    {0.0367, 0, 55.7, 1494.721},
    {0.0187, 0, 93.1, 7473.629},
    {0.005, 0, 230, 2989.45},
    {0.0047, 0, 268, 8968.35},
    {0.0028, 0, 342, 4484.19},
    // 10
    {0.0023, 0, 347, 2989.46},
    {0.002, 0, 157, 5978.91},
    {0.0012, 0, 83, 10463.08},
    {0.0009, 0, 331, 7473.64},
    {0.0009, 0, 45, 4484.17},
    {0.0005, 0, 352, 1494.74},
    {0.0003, 0, 146, 8968.36},
}};
/// Mercury radius vector, au: the polynomial part c0 + c1·t and 6 terms.
inline constexpr PlanetPolynomial kMercuryRadiusPolynomial = {0.395283, 0.00000002};
inline constexpr std::array<PlanetTerm, 6> kMercuryRadiusTerms = {{
    {0.078341, 0.00000008, 354.795, 1494.72515},
    {0.007955, 0.00000002, 169.59, 2989.4503},
    {0.001214, 0, 344.38, 4484.1755},
    {0.000218, 0, 159.2, 5978.901},
    {0.000042, 0, 334, 7473.63},
    {0.000006, 0, 149, 8968.35},
}};

// Venus
/// Venus heliocentric ecliptic longitude, degrees: the polynomial part c0 + c1·t and 13 terms.
inline constexpr PlanetPolynomial kVenusLongitudePolynomial = {181.9793, 585.192125};
inline constexpr std::array<PlanetTerm, 13> kVenusLongitudeTerms = {{
    {0.7761, 0.000054, 320.41, 585.1781},
    {0.0503, 0, 300.6, 1170.366},
    {0.0033, 0, 11, 1170.36},
    {0.0032, 0, 254, 450.38},
    {0.002, 0, 159, 675.56},
    {0.0014, 0, 172, 225.19},
    {0.001, 0, 244, 90.38},
    {0.0008, 0, 239, 554.83},
    {0.0008, 0, 303, 1.55},
    {0.0007, 0, 70, 585.19},
    // 10
    {0.0007, 0, 351, 1755.54},
    {0.0005, 0, 110, 30.35},
    {0.0004, 0, 34, 540.76},
}};
/// Venus heliocentric ecliptic latitude, degrees: the polynomial part c0 + c1·t and 4 terms.
inline constexpr PlanetPolynomial kVenusLatitudePolynomial = {0, 0};
inline constexpr std::array<PlanetTerm, 4> kVenusLatitudeTerms = {{
    {3.3939, 0.00001, 15.299, 585.18312},
    {0.023, 0, 144.9, 0.005},
    {0.023, 0, 65.7, 1170.361},
    {0.0005, 0, 46, 1755.55},
}};
/// Venus radius vector, au: the polynomial part c0 + c1·t and 5 terms.
inline constexpr PlanetPolynomial kVenusRadiusPolynomial = {0.723348, 0};
inline constexpr std::array<PlanetTerm, 5> kVenusRadiusTerms = {{
    {0.004899, 0.00000034, 230.41, 585.1781},
    {0.000017, 0, 281, 1170.36},
    {0.000016, 0, 164, 450.38},
    {0.000014, 0, 69, 675.56},
    {0.000004, 0, 121, 554.83},
}};

// Mars
/// Mars heliocentric ecliptic longitude, degrees: the polynomial part c0 + c1·t and 31 terms.
inline constexpr PlanetPolynomial kMarsLongitudePolynomial = {355.4472 - 0.014,
                                                              191.416999 - 0.000037};
inline constexpr std::array<PlanetTerm, 31> kMarsLongitudeTerms = {{
    {10.6919, 0.000105, 289.388, 191.39859},
    {0.6227, 0.000012, 308.78, 382.7971},
    {0.0504, 0, 328.2, 574.196},
    {0.0147, 0, 336, 0.19},
    {0.0144, 0, 342, 382.82},
    {0.007, 0, 48, 161.05},
    {0.006, 0, 168, 130.71},
    {0.0047, 0, 348, 765.59},
    {0.0045, 0, 191, 322.11},
    {0.0038, 0, 21, 22.81},
    // 10
    {0.0028, 0, 142, 191.42},
    {0.0028, 0, 1, 574.22},
    {0.0023, 0, 13, 168.59},
    {0.0019, 0, 95, 145.79},
    {0.0018, 0, 50, 10.98},
    {0.0013, 0, 290, 45.61},
    {0.001, 0, 39, 30.35},
    {0.0009, 0, 67, 352.45},
    {0.0009, 0, 167, 100.36},
    {0.0007, 0, 208, 291.76},
    // 20
    {0.0007, 0, 166, 122.98},
    {0.0006, 0, 205, 513.5},
    {0.0005, 0, 137, 166.96},
    {0.0005, 0, 53, 214.21},
    {0.0004, 0, 229, 8.95},
    {0.0004, 0, 220, 60.69},
    {0.0004, 0, 28, 179.18},
    {0.0003, 0, 256, 100.17},
    {0.0003, 0, 21, 765.62},
    {0.0003, 0, 179, 483.16},
    // 30
    {0.0003, 0, 214, 68.42},
}};
/// Mars heliocentric ecliptic latitude, degrees: the polynomial part c0 + c1·t and 6 terms.
inline constexpr PlanetPolynomial kMarsLatitudePolynomial = {0, 0};
inline constexpr std::array<PlanetTerm, 6> kMarsLatitudeTerms = {{
    {1.8334, -0.000007, 215.876, 191.40925},
    {0.1727, 0, 16.5, 0.0107},
    {0.1709, 0, 235.28, 382.8079},
    {0.0179, 0, 254.7, 574.206},
    {0.0021, 0, 3, 191.39},
    {0.002, 0, 274, 765.61},
}};
/// Mars radius vector, au: the polynomial part c0 + c1·t and 13 terms.
inline constexpr PlanetPolynomial kMarsRadiusPolynomial = {1.530339, 0.00000013};
inline constexpr std::array<PlanetTerm, 13> kMarsRadiusTerms = {{
    {0.14185, 0.00000139, 199.388, 191.39859},
    {0.006606, 0.00000013, 218.78, 382.7972},
    {0.000455, 0, 238.2, 574.196},
    {0.00008, 0, 317, 161.05},
    {0.000072, 0, 103, 322.11},
    {0.000055, 0, 77, 130.71},
    {0.000035, 0, 258, 765.59},
    {0.000024, 0, 284, 168.59},
    {0.000023, 0, 3, 145.79},
    {0.000013, 0, 118, 291.76},
    // 10
    {0.00001, 0, 338, 352.45},
    {0.000009, 0, 89, 483.16},
    {0.000008, 0, 311, 22.81},
}};

// Jupiter
/// Jupiter heliocentric ecliptic longitude, degrees: the polynomial part c0 + c1·t and 25 terms.
inline constexpr PlanetPolynomial kJupiterLongitudePolynomial = {34.39356, 30.3608406};
inline constexpr std::array<PlanetTerm, 25> kJupiterLongitudeTerms = {{
    {5.54603, 0, 289.68429, 30.3453346},
    {0.17575, 0, 309.5012, 60.832578},
    {0.05532, 0, 237.453, 36.24312},
    {0, 0.000437, 218.916, 60.71843},
    {0.03557, 0, 191.685, 5.96267},
    {0.02274, 0, 135.412, 24.05806},
    {0.0212, 0, 73.665, 18.22117},
    {0.00757, 0, 327.94, 91.0713},
    {0.00699, 0, 198.68, 29.2069},
    {0.00607, 0, 88.37, 47.5911},
    // 10
    {0.00501, 0, 206.94, 54.4993},
    {0.00482, 0, 273.36, 47.3071},
    {0.00397, 0, 294.77, 42.0681},
    {0.00343, 0, 259.11, 66.6605},
    {0.00335, 0, 244.1, 12.8447},
    {0.00224, 0, 54.64, 14.6626},
    {0.00094, 0, 221.3, 72.518},
    {0.00039, 0, 345.5, 121.317},
    {0.00035, 0, 241.5, 84.734},
    {0.00029, 0, 270.6, 97.044},
    // 20
    {0, 0.0000028, 197.2, 90.878},
    {0.00012, 0, 258.5, 77.799},
    {0.0001, 0, 174, 109.028},
    {0.00009, 0, 251, 103.24},
    {0.00003, 0, 195, 126.91},
}};
/// Jupiter heliocentric ecliptic latitude, degrees: the polynomial part c0 + c1·t and 18 terms.
inline constexpr PlanetPolynomial kJupiterLatitudePolynomial = {0.06299, -0.0000051};
inline constexpr std::array<PlanetTerm, 18> kJupiterLatitudeTerms = {{
    {1.30086, 0, 203.91874, 30.3412633},
    {0.06295, 0, 223.544, 60.68687},
    {0, 0.0002141, 309.356, 30.34269},
    {0.00347, 0, 243.22, 91.3465},
    {0, 0.0000185, 152.84, 91.1563},
    {0, 0.0000106, 339.44, 60.4997},
    {0.00072, 0, 113.1, 24.247},
    {0.00063, 0, 171.6, 66.544},
    {0.00045, 0, 122.2, 36.278},
    {0.00038, 0, 214.6, 12.251},
    // 10
    {0.00033, 0, 0.8, 48.501},
    {0.00031, 0, 266.8, 5.629},
    {0.00028, 0, 75.7, 54.329},
    {0.0002, 0, 262.6, 121.362},
    {0.00011, 0, 267.9, 42.315},
    {0.00007, 0, 191, 96.99},
    {0.00006, 0, 132, 84.94},
    {0.00006, 0, 181, 7.99},
}};
/// Jupiter radius vector, au: the polynomial part c0 + c1·t and 23 terms.
inline constexpr PlanetPolynomial kJupiterRadiusPolynomial = {5.209105, -0.0000003};
inline constexpr std::array<PlanetTerm, 23> kJupiterRadiusTerms = {{
    {0.251681, 0, 199.614, 30.34534},
    {0.006134, 0, 219, 60.661},
    {0.002802, 0, 147.7, 36.245},
    {0.00088, 0, 46, 24.06},
    {0.000635, 0, 344, 18.18},
    {0, 0.00000612, 19, 29.68},
    {0, 0.00000309, 312, 60.9},
    {0.000306, 0, 97, 6.01},
    {0.000299, 0, 124, 54.44},
    {0.000224, 0, 205, 42.15},
    // 10
    {0.000212, 0, 233, 91.13},
    {0.000129, 0, 171, 66.71},
    {0.000069, 0, 125, 72.58},
    {0.000061, 0, 169, 11.9},
    {0.000061, 0, 334, 48.4},
    {0, 0.00000057, 276, 94.79},
    {0.000017, 0, 288, 15.17},
    {0.000016, 0, 167, 84.82},
    {0.000012, 0, 175, 78.3},
    {0.000009, 0, 249, 121.22},
    // 20
    {0.000009, 0, 84, 108.96},
    {0.000005, 0, 164, 102.56},
    {0.000005, 0, 138, 95.6},
}};

// Neptune
/// Neptune heliocentric ecliptic longitude, degrees: the polynomial part c0 + c1·t and 8 terms.
inline constexpr PlanetPolynomial kNeptuneLongitudePolynomial = {-55.13323, 2.1993503};
inline constexpr std::array<PlanetTerm, 8> kNeptuneLongitudeTerms = {{
    {0.9745, 0, 167.7269, 2.213904},
    {0, 0.0004403, 332.797, 6.84128},
    {0, 0.0002928, 342.114, 9.04371},
    {0.01344, 0, 50.826, 9.86281},
    {0.00945, 0, 0.09, 28.1589},
    {0.00235, 0, 309.35, 22.665},
    {0.00225, 0, 127.61, 22.7943},
    {0.00023, 0, 19.2, 58.516},
}};
/// Neptune heliocentric ecliptic latitude, degrees: the polynomial part c0 + c1·t and 5 terms.
inline constexpr PlanetPolynomial kNeptuneLatitudePolynomial = {0.01725, 0};
inline constexpr std::array<PlanetTerm, 5> kNeptuneLatitudeTerms = {{
    {1.76958, 0, 83.11018, 2.1887906},
    {0.01366, 0, 338.864, 4.47128},
    {0.00015, 0, 224.7, 11.071},
    {0.00015, 0, 187.5, 25.967},
    {0.00012, 0, 243.9, 30.35},
}};
/// Neptune radius vector, au: the polynomial part c0 + c1·t and 6 terms.
inline constexpr PlanetPolynomial kNeptuneRadiusPolynomial = {30.073033, 0};
inline constexpr std::array<PlanetTerm, 6> kNeptuneRadiusTerms = {{
    {0.260457, 0, 79.994, 2.22371},
    {0, 0.00009784, 195.7, 5.152},
    {0.004944, 0, 90.1, 28.154},
    {0.003364, 0, 308.1, 5.24},
    {0.002579, 0, 104, 10.251},
    {0.00012, 0, 111, 58.45},
}};

// Pluto
/// Pluto heliocentric ecliptic longitude, degrees: the polynomial part c0 + c1·t and 8 terms.
inline constexpr PlanetPolynomial kPlutoLongitudePolynomial = {241.82574, 1.7909519};
inline constexpr std::array<PlanetTerm, 8> kPlutoLongitudeTerms = {{
    {15.8108, 0, 298.348019, 2.46556453},
    {1.18379, 0, 351.67676, 5.513471},
    {0.07886, 0, 41.989, 9.41622},
    {0.00861, 0, 60.35, 28.3646},
    {0.0059, 0, 112.91, 13.0675},
    {0.00145, 0, 19.01, 24.8814},
    {0.00022, 0, 77.9, 58.618},
    {0.00013, 0, 293, 32.888},
}};
/// Pluto heliocentric ecliptic latitude, degrees: the polynomial part c0 + c1·t and 8 terms.
inline constexpr PlanetPolynomial kPlutoLatitudePolynomial = {-2.30285, 0};
inline constexpr std::array<PlanetTerm, 8> kPlutoLatitudeTerms = {{
    {17.0455, 0, 42.574982, 1.72554318},
    {2.4531, 0, 66.1535, 4.156063},
    {0.26775, 0, 105.084, 7.131227},
    {0.01855, 0, 146.66, 10.89202},
    {0.00119, 0, 293.06, 26.5822},
    {0.00098, 0, 18.8, 30.556},
    {0.0009, 0, 213.7, 15.326},
    {0.00042, 0, 254.2, 23.423},
}};
/// Pluto radius vector, au: the polynomial part c0 + c1·t and 9 terms.
inline constexpr PlanetPolynomial kPlutoRadiusPolynomial = {38.662489, 0};
inline constexpr std::array<PlanetTerm, 9> kPlutoRadiusTerms = {{
    {8.670489, 0, 198.4973, 1.813383},
    {0.333884, 0, 228.717, 4.75963},
    {0.008426, 0, 252.9, 9.098},
    {0, 0.00007619, 31, 14.259},
    {0.004902, 0, 149.4, 28.316},
    {0, 0.00002543, 199.5, 21.961},
    {0.001188, 0, 114.1, 17.48},
    {0.00039, 0, 15, 31.88},
    {0.000116, 0, 169, 58.6},
}};
// Saturn (t from 1974-12-31 00:00)
/// Terms added to Saturn's mean anomaly 12.3042 + 12.22117·t + 0.0008, degrees; each is
/// (amplitude + amplitudeRate·t)·sin(phase + rate·t). Negative rates run backwards.
inline constexpr std::array<PlanetTerm, 46> kSaturnAnomalyTerms = {{
    {0.8081, 0, 342.74, 0.385},
    {0.19, 0, 3.57, -11.813},
    {0.1173, 0, 224.52, -5.907},
    {0.0934, 0.00075, 250.29, 12.221},
    {0.0093, 0, 176.6, 6.31},
    {0.0089, 0, 218.5, -36.26},
    {0.008, 0, 10.4, -0.23},
    {0.0078, 0, 56.8, 0.63},
    {0.0074, 0, 325.4, 0.77},
    {0.0073, 0, 209.4, -24.03},
    // 10
    {0.0064, 0, 202, -11.59},
    {0.0057, 0.00005, 265.8, -11.81},
    {0.0049, 0.00004, 162.7, 0.38},
    {0.0048, 0, 248.6, -19.34},
    {0.0034, 0, 23.6, -15.87},
    {0.0034, 0, 105.2, -30.35},
    {0.0025, 0, 348.4, -11.41},
    {0.0022, 0, 102.5, -7.94},
    {0.0021, 0, 53.5, -3.65},
    {0.002, 0, 220.4, -18.13},
    // 20
    {0.0019, 0.00002, 262, 24.44},
    {0.0018, 0, 326.7, -54.38},
    {0.0017, 0, 173, -5.5},
    {0.0014, 0, 165.5, -5.91},
    {0.0013, 0, 307.9, -42.16},
    {0.0009, 0, 287, -17.7},
    {0.0009, 0, 292, -29.9},
    {0.0008, 0, 299, -48.5},
    {0.0007, 0, 237, 12.6},
    {0.0007, 0, 155, 12.2},
    // 30
    {0.0007, 0, 146, 24.4},
    {0.0005, 0, 75, -72.5},
    {0.0005, 0, 6, 12.6},
    {0.0005, 0, 146, -10},
    {0.0005, 0, 199, -12.4},
    {0.0004, 0, 198, 720},
    {0.0004, 0, 187, -23.6},
    {0.0004, 0, 137, -23.8},
    {0.0004, 0, 57, -60.3},
    {0.0003, 0, 111, -20.1},
    // 40
    {0.0003, 0, 116, -24},
    {0.0003, 0, 87, 6.3},
    {0.0003, 0, 122, -7.9},
    {0.0003, 0, 182, 4.3},
    {0.0003, 0, 202, -7.3},
    {0.0003, 0, 255, -0.2},
}};
/// Terms of q = log10(r / Keplerian radius), added to 0.000183; each is
/// (amplitude + amplitudeRate·t)·cos(phase + rate·t).
inline constexpr std::array<PlanetTerm, 21> kSaturnDistanceTerms = {{
    {0.000701, 0, 3.43, -11.813},
    {0.000378, 0, 110.54, -18.128},
    {0.000354, 0.0000028, 70.28, 12.22},
    {0.000244, 0, 219.13, -5.907},
    {0.000114, 0, 158.22, 0.383},
    {0.000064, 0, 218.1, -36.26},
    {0.000042, 0, 215.8, -24.03},
    {0.000024, 0, 1.3, -6.31},
    {0.000024, 0, 201.8, -11.59},
    {0.000021, 0.0000002, 265.8, -11.81},
    // 10
    {0.000019, 0, 307.7, 12.22},
    {0.000015, 0, 326.3, -54.38},
    {0.00001, 0, 83.2, 24.44},
    {0.00001, 0, 311.1, -42.16},
    {0.000009, 0, 348, -11.4},
    {0.000008, 0, 129, -30.3},
    {0.000006, 0, 103, -7.9},
    {0.000006, 0, 148, -48.5},
    {0.000006, 0, 295, -29.9},
    {0.000005, 0, 318, 24.4},
    // 20
    {0.000005, 0, 24, -15.9},
}};

// Uranus (t from J2000.0)
/// The mean anomalies (and Uranus' mean longitude and argument of latitude) the Uranus series is
/// built from: X = 360·(a + b·D) degrees, D in days of dynamical time since J2000.0.
struct UranusArgument {
  double a;  ///< revolutions
  double b;  ///< revolutions per day
};
inline constexpr UranusArgument kUranusMj = {0.056531, 0.00023080893};  // Jupiter's anomaly
inline constexpr UranusArgument kUranusMs = {0.882987, 0.00009294371};  // Saturn's anomaly
inline constexpr UranusArgument kUranusLu = {0.870169, 0.00003269438};  // Uranus' longitude
inline constexpr UranusArgument kUranusMu = {0.400589, 0.00003269438};  // Uranus' anomaly
inline constexpr UranusArgument kUranusFu = {0.664614, 0.00003265562};  // Uranus' latitude arg.
inline constexpr UranusArgument kUranusMn = {0.725368, 0.00001672092};  // Neptune's anomaly

/// The function a Uranus term applies to its argument; kOne marks a pure power of T.
enum class UranusTrig : std::int8_t { kOne, kSin, kCos };

/// One Uranus term: coefficient·T^power·trig(j·Mj + s·Ms + u·Mu + f·Fu + n·Mn), T in Julian
/// centuries since 1900.0.
struct UranusTerm {
  double coefficient;
  std::int8_t power;
  UranusTrig trig;
  std::int8_t j, s, u, f, n;
};

/// Uranus' longitude terms, arcseconds, added to Lu (the three columns of the table in turn).
inline constexpr std::array<UranusTerm, 38> kUranusLongitudeTerms = {{
    {19397, 0, UranusTrig::kSin, 0, 0, 1, 0, 0},  // sin Mu
    {570, 0, UranusTrig::kSin, 0, 0, 2, 0, 0},    // sin 2Mu
    {-536, 1, UranusTrig::kCos, 0, 0, 1, 0, 0},   // T·cos Mu
    {143, 0, UranusTrig::kSin, 0, 1, -2, 0, 0},   // sin(Ms − 2Mu)
    {110, 1, UranusTrig::kSin, 0, 0, 1, 0, 0},    // T·sin Mu
    {102, 0, UranusTrig::kSin, 0, 1, -3, 0, 0},   // sin(Ms − 3Mu)
    {76, 0, UranusTrig::kCos, 0, 1, -3, 0, 0},    // cos(Ms − 3Mu)
    {-49, 0, UranusTrig::kSin, 1, 0, -1, 0, 0},   // sin(Mj − Mu)
    {32, 2, UranusTrig::kOne, 0, 0, 0, 0, 0},     // T²
    {-30, 1, UranusTrig::kCos, 0, 0, 2, 0, 0},    // T·cos 2Mu
    // 10
    {-12, 2, UranusTrig::kCos, 0, 0, 1, 0, 0},   // T²·cos Mu
    {-12, 0, UranusTrig::kCos, 0, 0, 1, 0, 0},   // cos Mu
    {-9, 0, UranusTrig::kSin, 0, 0, 0, 2, 0},    // sin 2Fu
    {29, 0, UranusTrig::kSin, 2, -6, 3, 0, 0},   // sin(2Mj − 6Ms + 3Mu)
    {29, 0, UranusTrig::kCos, 0, 0, 2, 0, -2},   // cos(2Mu − 2Mn)
    {-28, 0, UranusTrig::kCos, 0, 0, 1, 0, -1},  // cos(Mu − Mn)
    {23, 0, UranusTrig::kSin, 0, 0, 3, 0, 0},    // sin 3Mu
    {-21, 0, UranusTrig::kCos, 1, 0, -1, 0, 0},  // cos(Mj − Mu)
    {20, 0, UranusTrig::kSin, 0, 0, 1, 0, -1},   // sin(Mu − Mn)
    {20, 0, UranusTrig::kCos, 0, 1, -2, 0, 0},   // cos(Ms − 2Mu)
    // 20
    {-19, 0, UranusTrig::kCos, 0, 1, -1, 0, 0},  // cos(Ms − Mu)
    {17, 0, UranusTrig::kSin, 0, 0, 1, 0, -3},   // sin(Mu − 3Mn)
    {14, 0, UranusTrig::kSin, 0, 0, 3, 0, -3},   // sin(3Mu − 3Mn)
    {13, 0, UranusTrig::kSin, 0, 1, -1, 0, 0},   // sin(Ms − Mu)
    {10, 0, UranusTrig::kSin, 0, 0, 2, 0, -2},   // sin(2Mu − 2Mn)
    {-9, 2, UranusTrig::kSin, 0, 0, 1, 0, 0},    // T²·sin Mu
    {9, 0, UranusTrig::kCos, 0, 0, 2, 0, -3},    // cos(2Mu − 3Mn)
    {8, 1, UranusTrig::kCos, 0, 1, -2, 0, 0},    // T·cos(Ms − 2Mu)
    {7, 1, UranusTrig::kCos, 0, 1, -3, 0, 0},    // T·cos(Ms − 3Mu)
    {-7, 1, UranusTrig::kSin, 0, 1, -3, 0, 0},   // T·sin(Ms − 3Mu)
    // 30
    {7, 1, UranusTrig::kSin, 0, 0, 2, 0, 0},    // T·sin 2Mu
    {6, 0, UranusTrig::kSin, 2, -6, 2, 0, 0},   // sin(2Mj − 6Ms + 2Mu)
    {6, 0, UranusTrig::kCos, 2, -6, 2, 0, 0},   // cos(2Mj − 6Ms + 2Mu)
    {5, 0, UranusTrig::kSin, 0, 1, -4, 0, 0},   // sin(Ms − 4Mu)
    {-4, 0, UranusTrig::kSin, 0, 0, 3, 0, -4},  // sin(3Mu − 4Mn)
    {4, 0, UranusTrig::kCos, 0, 0, 3, 0, -3},   // cos(3Mu − 3Mn)
    {-3, 0, UranusTrig::kCos, 0, 0, 0, 0, 1},   // cos Mn
    {-2, 0, UranusTrig::kSin, 0, 0, 0, 0, 1},   // sin Mn
}};

/// Uranus' latitude terms, arcseconds.
inline constexpr std::array<UranusTerm, 3> kUranusLatitudeTerms = {{
    {2775, 0, UranusTrig::kSin, 0, 0, 0, 1, 0},  // sin Fu
    {131, 0, UranusTrig::kSin, 0, 0, 1, -1, 0},  // sin(Mu − Fu)
    {130, 0, UranusTrig::kSin, 0, 0, 1, 1, 0},   // sin(Mu + Fu)
}};

/// Uranus' radius vector, au: the constant 19.21216 and 12 terms.
inline constexpr std::array<UranusTerm, 13> kUranusRadiusTerms = {{
    {19.21216, 0, UranusTrig::kOne, 0, 0, 0, 0, 0},
    {-0.90154, 0, UranusTrig::kCos, 0, 0, 1, 0, 0},   // cos Mu
    {-0.02488, 1, UranusTrig::kSin, 0, 0, 1, 0, 0},   // T·sin Mu
    {-0.02121, 0, UranusTrig::kCos, 0, 0, 2, 0, 0},   // cos 2Mu
    {-0.00585, 0, UranusTrig::kCos, 0, 1, -2, 0, 0},  // cos(Ms − 2Mu)
    {-0.00508, 1, UranusTrig::kCos, 0, 0, 1, 0, 0},   // T·cos Mu
    {-0.00451, 0, UranusTrig::kCos, 1, 0, -1, 0, 0},  // cos(Mj − Mu)
    {0.00336, 0, UranusTrig::kSin, 0, 1, -1, 0, 0},   // sin(Ms − Mu)
    {0.00198, 0, UranusTrig::kSin, 1, 0, -1, 0, 0},   // sin(Mj − Mu)
    {0.00118, 0, UranusTrig::kCos, 0, 1, -3, 0, 0},   // cos(Ms − 3Mu)
    // 10
    {0.00107, 0, UranusTrig::kSin, 0, 1, -2, 0, 0},   // sin(Ms − 2Mu)
    {-0.00103, 1, UranusTrig::kSin, 0, 0, 2, 0, 0},   // T·sin 2Mu
    {-0.00081, 0, UranusTrig::kCos, 0, 0, 3, 0, -3},  // cos(3Mu − 3Mn)
}};

/// What the geocentric reduction needs of each planet, indexed by PlanetNameConstant − 1.
struct PlanetConstants {
  double lightTime;  ///< k, degrees·au: the longitude correction for aberration and light time
  double radiusKm;   ///< equatorial radius, km
};
inline constexpr std::array<PlanetConstants, 8> kPlanetConstants = {{
    {0.0035, 2439.7},  // Mercury
    {0.0048, 6051.8},  // Venus
    {0.0071, 3397.2},  // Mars
    {0.0129, 71492},   // Jupiter
    {0.0174, 60268},   // Saturn
    {0.0249, 25559},   // Uranus
    {0.0312, 24764},   // Neptune
    {0.0347, 1185},    // Pluto
}};

}  // namespace almacor::detail
