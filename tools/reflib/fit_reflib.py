#!/usr/bin/env python3
"""Fit the refrigerant property correlations and write the library file RefLib8.rdf.

Reads the reference property tables of a folder (fluids.json, <fluid>_sat.csv and
<fluid>_superheat.csv; the pseudo-pure tables for the blends) and fits, per
refrigerant, the short closed forms the program evaluates (T in degC):

    dew/bubble pressure  P = exp(a0 + a1 / (T + a2))                       [Pa]
    vapour volume        v = exp(v0 + v1 / (T + 273.15)) * cubic(T)        [m3/kg]
    liquid volume, liquid enthalpy, transport properties, surface tension: cubic(T)
    liquid temperature   T = cubic(h)
    specific heats       quartic(T)                                        [J/(kg K)]
    vapour enthalpy      cubic(T) + vh4                                    [J/kg]
    superheated vapour   (hv(Ts) - vh4) * (1 + d * poly(d, Ts)) + vh4

Every form is fitted minimax (its largest weighted deviation made as small as
possible): relative error, absolute error for enthalpies and temperatures. The
saturation-pressure and vapour-volume forms are linear but for one parameter, which
is searched. Points close to the critical point weigh less, and the fit covers the
table range up to the program's upper temperature limit (see choose_limits).

R22 is not fitted: its section carries the program's built-in R22 coefficients,
so that results with and without the library file agree; --report shows how far
they are from the tables.

Needs numpy and scipy (Debian: python3-numpy, python3-scipy).

Usage: fit_reflib.py REFDATA_DIR OUTPUT.rdf [--points FOLDER] [--report]
  --points writes the test reference values reference_points.csv and
  superheat_points.csv into FOLDER (tests/refrig/data).
"""

import argparse
import csv
import json
import math
import os
import sys

import numpy as np
from scipy.optimize import linprog, minimize_scalar

# Identity texts of each refrigerant, in library order: section name, table file
# stem, formula, chemical name (None: the one of fluids.json), number of
# components, source file, fluid type.
FLUIDS = [
    ("R22", "R22", "CHClF2", None, 1, "R22.FLD", "Halocarbon-Methane Series"),
    ("R12", "R12", "CCl2F2", None, 1, "R12.FLD", "Halocarbon-Methane Series"),
    ("R134a", "R134a", "CH2FCF3", None, 1, "R134A.FLD", "Halocarbon-Ethane Series"),
    ("R152a", "R152a", "CH3CHF2", None, 1, "R152A.FLD", "Halocarbon-Ethane Series"),
    ("R32", "R32", "CH2F2", None, 1, "R32.FLD", "Halocarbon-Methane Series"),
    ("R290", "R290", "CH3CH2CH3", "propane", 1, "R290.FLD", "Hydrocarbon"),
    ("R600a", "R600a", "CH(CH3)3", "isobutane", 1, "R600A.FLD", "Hydrocarbon"),
    ("R1234yf", "R1234yf", "CF3CF=CH2", None, 1, "R1234YF.FLD", "HFO"),
    ("R1234ze(E)", "R1234zeE", "CF3CH=CHF", None, 1, "R1234ZEE.FLD", "HFO"),
    ("R404A", "R404A", "CHF2CF3/CH3CF3/CH2FCF3", "R125/R143a/R134a 44/52/4 wt%", 3,
     "R404A.FLD", "Near-azeotropic blend"),
    ("R407C", "R407C", "CH2F2/CHF2CF3/CH2FCF3", "R32/R125/R134a 23/25/52 wt%", 3,
     "R407C.FLD", "Zeotropic blend"),
    ("R410A", "R410A", "CH2F2/CHF2CF3", "R32/R125 50/50 wt%", 2, "R410A.FLD",
     "Near-azeotropic blend"),
    ("R507A", "R507A", "CHF2CF3/CH3CF3", "R125/R143a 50/50 wt%", 2, "R507A.FLD",
     "Azeotropic blend"),
    ("R717", "R717", "NH3", None, 1, "R717.FLD", "Inorganic"),
    ("R744", "R744", "CO2", None, 1, "R744.FLD", "Inorganic"),
]

# The program's built-in R22 record, written to the R22 section as it stands.
BUILTIN_R22 = {
    "InternalNumber": "0",
    "RNumber": "R22",
    "Formula": "CHClF2",
    "ChemicalName": "chlorodifluoromethane",
    "CASNumber": "75-45-6",
    "Components": "1",
    "RefState": "IIR",
    "SourceFile": "R22.FLD",
    "FluidType": "Halocarbon-Methane Series",
    "TCrit": "96.1",
    "PCrit": "4990.0",
    "DCrit": "523.842",
    "wm": "86.468",
    "TTrip": "-157.42",
    "TBoil": "-40.8",
    "TMax": "60.0",
    "TMin": "-60.0",
    "dp": "21.39916, -2103.23, 254.0905",
    "bp": "21.39916, -2103.23, 254.0905",
    "lh": "200005.4, 1169.513, 1.346602, 0.01149432",
    "th": "-184.4358, 0.0008925503, 6.406324e-10, -2.462772e-15",
    "vh": "251040.6, 373.4119, -1.685585, -0.01689365, 154002.2",
    "sh": "0.002846625, 6.958993e-07, 1.108134e-05, -5.134816e-08, 1.497383e-07, -7.479003e-10",
    "vv": "-11.92094, 2418.916, 1.009912, 0.000931342, -1.615272e-05, -2.761813e-07",
    "lv": "0.0007803834, 2.02297e-06, 1.027511e-08, 1.380161e-10",
    "cl": "1169.949, 2.800445, 0.01805555, 9.210114e-05, 8.627718e-06",
    "cv": "739.9727, 4.333812, 0.0249997, 0.0001732778, 1.181484e-05",
    "ul": "215.9089, -2.368515, 0.01461229, -9.02754e-05",
    "uv": "11.36384, 0.04225998, 8.919252e-05, 1.776812e-06",
    "kl": "94.74255, -0.4489948, 5.499795e-05, -4.30647e-06",
    "kv": "9.414686, 0.0641507, 0.0002790965, 7.05162e-06",
    "si": "11.6939363, -0.149722876, 0.000187963205, 5.52245508e-07",
}

SCALAR_KEYS = ["InternalNumber", "RNumber", "Formula", "ChemicalName", "CASNumber",
               "Components", "RefState", "SourceFile", "FluidType", "TCrit", "PCrit",
               "DCrit", "wm", "TTrip", "TBoil", "TMax", "TMin"]
ARRAY_KEYS = ["dp", "bp", "lh", "th", "vh", "sh", "vv", "lv", "cl", "cv", "ul", "uv", "kl",
              "kv", "si"]

SIG_DIGITS = 10


# ---------------------------------------------------------------------------
# Reading the reference tables

def read_csv(path):
    """Columns of a reference table as float arrays; empty fields become NaN."""
    with open(path, newline="") as f:
        rows = list(csv.DictReader(f))
    return {key: np.array([float(r[key]) if r[key] != "" else math.nan for r in rows])
            for key in rows[0]}


def load_fluid(refdata, stem):
    sat = read_csv(os.path.join(refdata, stem + "_sat.csv"))
    sup = read_csv(os.path.join(refdata, stem + "_superheat.csv"))
    # Table units to the program's: Pa, J/kg, J/(kg K), Pa s, W/(m K), N/m.
    for key in ("p_bubble", "p_dew", "h_liq", "h_vap", "cp_liq", "cp_vap"):
        sat[key] = sat[key] * 1000.0
    for key in ("mu_liq", "mu_vap"):
        sat[key] = sat[key] * 1e-6
    for key in ("k_liq", "k_vap", "sigma"):
        sat[key] = sat[key] * 1e-3
    sup["p"] = sup["p"] * 1000.0
    sup["h"] = sup["h"] * 1000.0
    return sat, sup


# ---------------------------------------------------------------------------
# The correlations as the program evaluates them (results in program units)

def poly(c, x):
    x = np.asarray(x, dtype=float)
    return sum(ck * x ** k for k, ck in enumerate(c))


def sat_pressure(c, T):
    return np.exp(c[0] + c[1] / (np.asarray(T, dtype=float) + c[2]))


def vapour_volume(c, T):
    T = np.asarray(T, dtype=float)
    return np.exp(c[0] + c[1] / (T + 273.15)) * poly(c[2:6], T)


def superheat_enthalpy(vh, sh, Ts, T):
    d = T - Ts
    factor = d * (sh[0] + sh[1] * d + sh[2] * Ts + sh[3] * d * Ts + sh[4] * Ts ** 2
                  + sh[5] * d * Ts ** 2)
    return poly(vh[:4], Ts) * (1.0 + factor) + vh[4]


# Property -> (table column, correlation as the program evaluates it, program units)
PROPERTIES = {
    "p_dew": ("p_dew", lambda r, T: sat_pressure(r["dp"], T)),
    "p_bubble": ("p_bubble", lambda r, T: sat_pressure(r["bp"], T)),
    "v_liq": ("v_liq", lambda r, T: poly(r["lv"], T)),
    "v_vap": ("v_vap", lambda r, T: vapour_volume(r["vv"], T)),
    "h_liq": ("h_liq", lambda r, T: poly(r["lh"], T)),
    "h_vap": ("h_vap", lambda r, T: poly(r["vh"][:4], T) + r["vh"][4]),
    "cp_liq": ("cp_liq", lambda r, T: poly(r["cl"], T)),
    "cp_vap": ("cp_vap", lambda r, T: poly(r["cv"], T)),
    "mu_liq": ("mu_liq", lambda r, T: poly(r["ul"], T) * 1e-6),
    "mu_vap": ("mu_vap", lambda r, T: poly(r["uv"], T) * 1e-6),
    "k_liq": ("k_liq", lambda r, T: poly(r["kl"], T) * 1e-3),
    "k_vap": ("k_vap", lambda r, T: poly(r["kv"], T) * 1e-3),
    "sigma": ("sigma", lambda r, T: poly(r["si"], T) * 1e-3),
}


# ---------------------------------------------------------------------------
# Fitting

def minimax_linear(A, y, w):
    """Coefficients c minimising max_i |w_i (A c - y)_i| (a linear programme)."""
    n, m = A.shape
    # Columns scaled to unit size for a well-conditioned programme.
    scale = np.max(np.abs(A), axis=0)
    scale[scale == 0] = 1.0
    As = A / scale
    WA = As * w[:, None]
    Wy = y * w
    # Variables: c (m, free), e (1, >= 0). Minimise e subject to |WA c - Wy| <= e.
    cost = np.zeros(m + 1)
    cost[-1] = 1.0
    ones = np.ones((n, 1))
    A_ub = np.vstack([np.hstack([WA, -ones]), np.hstack([-WA, -ones])])
    b_ub = np.concatenate([Wy, -Wy])
    bounds = [(None, None)] * m + [(0, None)]
    res = linprog(cost, A_ub=A_ub, b_ub=b_ub, bounds=bounds, method="highs")
    if not res.success:
        raise RuntimeError("minimax fit failed: " + res.message)
    return res.x[:m] / scale, res.x[-1]


def fit_poly(x, y, degree, relative, x_scale=1.0, weight=None):
    """Minimax polynomial in x of the weighted relative or absolute error.
    Returns the coefficients of x**k."""
    ok = np.isfinite(y)
    xs = x[ok] / x_scale
    A = np.vstack([xs ** k for k in range(degree + 1)]).T
    w = np.ones(ok.sum()) if weight is None else weight[ok]
    if relative:
        w = w / np.abs(y[ok])
    c, _ = minimax_linear(A, y[ok], w)
    return [ck / x_scale ** k for k, ck in enumerate(c)]


def fit_sat_pressure(T, p, weight):
    """exp(a0 + a1/(T + a2)): minimax of ln p for each a2, a2 searched."""
    lnp = np.log(p)

    def inner(a2):
        A = np.vstack([np.ones_like(T), 1.0 / (T + a2)]).T
        c, err = minimax_linear(A, lnp, weight)
        return c, err

    res = minimize_scalar(lambda a2: inner(a2)[1], bounds=(180.0, 290.0), method="bounded",
                          options={"xatol": 1e-6})
    c, _ = inner(res.x)
    return [c[0], c[1], res.x]


def fit_vapour_volume(T, v, weight):
    """exp(v0 + v1/TK) * cubic(T): minimax relative error of the cubic for given v1,
    v1 searched; v0 then absorbs the scale so that the cubic starts at 1."""
    TK = T + 273.15
    A0 = np.vstack([np.ones_like(T), 1.0 / TK]).T
    c0, *_ = np.linalg.lstsq(A0, np.log(v), rcond=None)

    def inner(v1):
        base = np.exp(c0[0] + v1 / TK)
        A = np.vstack([base * T ** k for k in range(4)]).T
        c, err = minimax_linear(A, v, weight / v)
        return c, err

    res = minimize_scalar(lambda v1: inner(v1)[1], bounds=(c0[1] * 0.8, c0[1] * 1.2),
                          method="bounded", options={"xatol": 1e-4})
    c, _ = inner(res.x)
    v0 = c0[0] + math.log(c[0])
    return [v0, res.x] + [ck / c[0] for ck in c]


def superheat_rows(sup, sat, t_lo, t_crit):
    """Fitting rows (Ts, d, rise, weight) of the superheat factor.

    The rise h(Ts, d) - hv(Ts) comes from the superheat table (d > 0), with the
    table's own saturated vapour enthalpy so that the superheat fit does not absorb
    the saturation fit's error. Below the table's lowest Ts the program still
    evaluates superheated vapour (down to the lowest evaporating temperature), so
    rows at d = 2 K with the rise cp_vap(Ts) * d pin the slope there. Their weight
    is scaled up by 20 K / 2 K: a slope error seen at 2 K grows tenfold by 20 K."""
    Ts, d, h = sup["Ts"], sup["d"], sup["h"]
    hv_table = {t: hh for t, dd, hh in zip(Ts, d, h) if dd == 0}
    keep = d > 0
    rise = np.array([hh - hv_table[t] for t, hh in zip(Ts, h)])
    rows_Ts, rows_d, rows_rise = [Ts[keep]], [d[keep]], [rise[keep]]
    low = (sat["T"] >= t_lo - 1e-9) & (sat["T"] < Ts.min() - 1e-9)
    d_anchor = 2.0
    rows_Ts.append(sat["T"][low])
    rows_d.append(np.full(low.sum(), d_anchor))
    rows_rise.append(sat["cp_vap"][low] * d_anchor)
    Ts_all = np.concatenate(rows_Ts)
    scale = np.concatenate([np.ones(keep.sum()), np.full(low.sum(), 20.0 / d_anchor)])
    return (Ts_all, np.concatenate(rows_d), np.concatenate(rows_rise),
            near_critical_weight(Ts_all, t_crit) * scale)


def fit_superheat(rows, hv_fit, vh4):
    """sh coefficients for a given vh4: minimax of the superheat enthalpy rise.

    The model's rise is (hv(Ts) - vh4) * d * poly(d, Ts), linear in the six
    coefficients."""
    Ts, d, rise, weight = rows
    base = poly(hv_fit, Ts) - vh4
    cols = [d, d * d, d * Ts, d * d * Ts, d * Ts ** 2, d * d * Ts ** 2]
    A = np.vstack([base * col for col in cols]).T
    c, err = minimax_linear(A, rise, weight)
    return list(c), err


def choose_vh4(rows, hv_fit, hv_min):
    """The split of the vapour enthalpy into the part the superheat factor multiplies
    and the constant vh4, chosen for the smallest superheat error over a grid on
    [0, 0.8 * lowest vapour enthalpy] (the multiplied part must stay well away from
    zero). The error is often nearly flat in vh4; the smallest vh4 within 5 % of
    the best error is taken then, as it keeps the superheat coefficients small.
    Rounded to 10 J/kg."""
    grid = np.linspace(0.0, 0.8 * hv_min, 81)
    errs = np.array([fit_superheat(rows, hv_fit, x)[1] for x in grid])
    k = int(np.argmax(errs <= 1.05 * errs.min()))
    return round(grid[k], -1)


def near_critical_weight(T, t_crit):
    """Weight of a fitting point: 1 up to 20 K below the critical point, falling to
    1/3 at 5 K below it. Close to the critical point the short forms cannot follow
    the steep rise of specific heat and liquid volume; the lower weight keeps that
    from spoiling the range where the program mostly works."""
    return 1.0 / 3.0 + 2.0 / 3.0 * np.clip((t_crit - 5.0 - T) / 15.0, 0.0, 1.0)


def fill_low_end(T, y, rows=20):
    """Fills missing values at the cold end of a column with a power law in absolute
    temperature fitted to the first valid rows, so that the cubic keeps a sensible
    shape where the table has no value. Returns the column and a mask of the filled
    points."""
    missing = ~np.isfinite(y)
    if not missing.any():
        return y, missing
    first = np.argmax(~missing)
    if missing[first:].any():
        raise ValueError("missing values inside a column")
    TK = T[first:first + rows] + 273.15
    slope, icpt = np.polyfit(np.log(TK), np.log(y[first:first + rows]), 1)
    filled = y.copy()
    filled[missing] = np.exp(icpt + slope * np.log(T[missing] + 273.15))
    return filled, missing


def andrade_guide(T, mu, t_to, rows=30, step=2.0):
    """Guide points for the liquid viscosity above the table, up to t_to: the
    Andrade form ln mu = A + B / (T + 273.15) fitted to the table's top rows. A
    cubic fitted to the table alone bends down steeply beyond it."""
    TK = T[-rows:] + 273.15
    B, A = np.polyfit(1.0 / TK, np.log(mu[-rows:]), 1)
    Tg = np.arange(T[-1] + step, t_to + step, step)
    return Tg, np.exp(A + B / (Tg + 273.15))


def fit_fluid(sat, sup, t_lo, t_hi, t_crit, blend, t_upper=None):
    """All coefficient arrays of one refrigerant, fitted over [t_lo, t_hi]. When the
    program's upper temperature limit t_upper lies above t_hi, the liquid viscosity
    also gets guide points up to it."""
    T = sat["T"]
    r = (T >= t_lo - 1e-9) & (T <= t_hi + 1e-9)
    Tf = T[r]
    w = near_critical_weight(Tf, t_crit)

    def col(key):
        return sat[key][r]

    def cubic(key, relative=True, scale=1.0, degree=3):
        y, filled = fill_low_end(Tf, col(key))
        # Filled points only guide the shape: a third of the weight.
        weight = np.where(filled, w / 3.0, w)
        return [c * scale for c in fit_poly(Tf, y, degree, relative, 100.0, weight)]

    rec = {}
    rec["dp"] = fit_sat_pressure(Tf, col("p_dew"), w)
    rec["bp"] = fit_sat_pressure(Tf, col("p_bubble"), w) if blend else list(rec["dp"])
    rec["lv"] = cubic("v_liq")
    rec["vv"] = fit_vapour_volume(Tf, col("v_vap"), w)
    rec["lh"] = cubic("h_liq", relative=False)
    rec["th"] = fit_poly(col("h_liq"), Tf, 3, False, 1e5, w)
    hv = cubic("h_vap", relative=False)
    rec["cl"] = cubic("cp_liq", degree=4)
    rec["cv"] = cubic("cp_vap", degree=4)
    if t_upper is not None and t_upper > t_hi + 1.0:
        Tg, mu_g = andrade_guide(Tf, col("mu_liq"), t_upper)
        # Guide points only shape the extrapolation: a sixth of the weight.
        weight = np.concatenate([w, near_critical_weight(Tg, t_crit) / 6.0])
        rec["ul"] = [c * 1e6 for c in fit_poly(np.concatenate([Tf, Tg]),
                                               np.concatenate([col("mu_liq"), mu_g]),
                                               3, True, 100.0, weight)]
    else:
        rec["ul"] = cubic("mu_liq", scale=1e6)
    rec["uv"] = cubic("mu_vap", scale=1e6)
    rec["kl"] = cubic("k_liq", scale=1e3)
    rec["kv"] = cubic("k_vap", scale=1e3)
    rec["si"] = cubic("sigma", scale=1e3)

    rows = superheat_rows(sup, sat, t_lo, t_crit)
    vh4 = choose_vh4(rows, hv, float(np.min(poly(hv, Tf))))
    rec["sh"], _ = fit_superheat(rows, hv, vh4)
    rec["vh"] = [hv[0] - vh4, hv[1], hv[2], hv[3], vh4]
    return rec


# ---------------------------------------------------------------------------
# Limits and identity

def choose_limits(t_crit, t_table_lo, t_table_hi):
    """TMin, TMax and the fitted temperature range.

    The program accepts condensing temperatures in [TMin, 0.8*TCrit + 0.2*TMax] and
    evaporating ones from TMin (no lower widening when TMin <= -40). TMax is the
    largest multiple of 5 degC, at most 60, that keeps that upper limit inside the
    table and at least 10 K below the critical point, where the short forms
    degrade; it does not go below 0 degC. For refrigerants with a high critical
    temperature even TMax = 0 puts the upper limit above the table's 80 degC: the
    correlations are extrapolated there (and checked for sanity only).
    TMin is -60 degC, or the table's first multiple of 5 when it starts higher."""
    t_min = max(-60.0, 5.0 * math.ceil(t_table_lo / 5.0))
    highest = min(t_table_hi, t_crit - 10.0)
    t_max = min(60.0, 5.0 * math.floor((5.0 * highest - 4.0 * t_crit) / 5.0))
    t_max = max(t_max, 0.0)
    upper = 0.8 * t_crit + 0.2 * t_max
    fit_hi = min(t_table_hi, math.ceil(upper))
    return t_min, t_max, upper, (t_table_lo, fit_hi)


def fmt(x, digits=SIG_DIGITS):
    """A number with the given significant digits that always carries a '.'."""
    s = "%.*g" % (digits, x)
    mantissa, _, exponent = s.partition("e")
    if "." not in mantissa:
        mantissa += ".0"
    return mantissa + ("e" + exponent if exponent else "")


def fmt_fixed(x, decimals):
    s = "%.*f" % (decimals, x)
    s = s.rstrip("0")
    return s + "0" if s.endswith(".") else s


def fluid_record(index, entry, info, limits):
    name, _, formula, chem, components, source, ftype = entry
    t_min, t_max = limits[0], limits[1]
    blend = components > 1
    if blend:
        # A blend's normal boiling point is taken as the dew point at 101.325 kPa:
        # the program derives the boiling pressure from the dew-pressure equation.
        t_boil = info["T_normal_boiling_dew_C"]
    elif info["T_normal_boiling_C"] is None:
        # Carbon dioxide has no normal boiling point (its triple-point pressure is
        # above one atmosphere); the triple point, the lowest liquid-vapour
        # saturation state, stands in.
        t_boil = info["T_triple_C"]
    else:
        t_boil = info["T_normal_boiling_C"]
    return {
        "InternalNumber": str(index),
        "RNumber": name,
        "Formula": formula,
        "ChemicalName": chem or info["chemical_name"],
        "CASNumber": info["CAS"] or "",
        "Components": str(components),
        "RefState": "IIR",
        "SourceFile": source,
        "FluidType": ftype,
        "TCrit": fmt_fixed(info["T_crit_C"], 3),
        "PCrit": fmt_fixed(info["p_crit_kPa"], 2),
        "DCrit": fmt_fixed(info["rho_crit_kg_per_m3"], 3),
        "wm": fmt_fixed(info["molar_mass_kg_per_kmol"], 4),
        # For the blends this is the lower limit of their property model.
        "TTrip": fmt_fixed(info["T_triple_C"], 3),
        "TBoil": fmt_fixed(t_boil, 3),
        "TMax": fmt_fixed(t_max, 1),
        "TMin": fmt_fixed(t_min, 1),
    }


def parse_array(text):
    return [float(x) for x in text.split(",")]


# ---------------------------------------------------------------------------
# Deviations and sanity

def deviations(rec, sat, sup, t_lo, t_hi):
    """Largest deviation of each property over [t_lo, t_hi]: percent for pressures,
    volumes, specific heats and transport properties, kJ/kg for enthalpies, K for
    the liquid temperature."""
    T = sat["T"]
    r = (T >= t_lo - 1e-9) & (T <= t_hi + 1e-9)
    out = {}
    for name, (column, evaluate) in PROPERTIES.items():
        y = sat[column][r]
        model = evaluate(rec, T[r])
        ok = np.isfinite(y)
        if name.startswith("h_"):
            out[name] = np.max(np.abs(model - y)[ok]) / 1000.0
        else:
            out[name] = np.max(np.abs(model / y - 1.0)[ok]) * 100.0
    out["T(h_liq)"] = np.max(np.abs(poly(rec["th"], sat["h_liq"][r]) - T[r]))
    h = superheat_enthalpy(rec["vh"], rec["sh"], sup["Ts"], sup["Ts"] + sup["d"])
    out["h_superheat"] = np.max(np.abs(h - sup["h"])) / 1000.0
    return out


def sanity_faults(rec, t_lo, t_hi, blend):
    """Physical sanity of the correlations on a fine grid over [t_lo, t_hi]."""
    T = np.linspace(t_lo, t_hi, 500)
    faults = []

    def check(ok, what):
        if not np.all(ok):
            faults.append(what)

    p_dew, p_bub = sat_pressure(rec["dp"], T), sat_pressure(rec["bp"], T)
    check(np.diff(p_dew) > 0, "dew pressure not rising")
    check(np.diff(p_bub) > 0, "bubble pressure not rising")
    if blend:
        check(p_bub >= p_dew, "bubble pressure below dew pressure")
    v_l, v_v = poly(rec["lv"], T), vapour_volume(rec["vv"], T)
    check(v_l > 0, "liquid volume not positive")
    check(np.diff(v_l) > 0, "liquid volume not rising")
    check(np.diff(v_v) < 0, "vapour volume not falling")
    check(v_v > v_l, "vapour volume below liquid volume")
    h_l = poly(rec["lh"], T)
    h_v = poly(rec["vh"][:4], T) + rec["vh"][4]
    check(np.diff(h_l) > 0, "liquid enthalpy not rising")
    check(h_v > h_l, "latent heat not positive")
    check(np.diff(poly(rec["th"], h_l)) > 0, "liquid temperature not rising with enthalpy")
    check(poly(rec["cl"], T) > 0, "liquid specific heat not positive")
    check(poly(rec["cv"], T) > 0, "vapour specific heat not positive")
    mu_l, mu_v = poly(rec["ul"], T), poly(rec["uv"], T)
    check(mu_v > 0, "vapour viscosity not positive")
    check(mu_l > mu_v, "liquid viscosity not above vapour viscosity")
    check(np.diff(mu_l) < 0, "liquid viscosity not falling")
    check(poly(rec["kl"], T) > 0, "liquid conductivity not positive")
    check(poly(rec["kv"], T) > 0, "vapour conductivity not positive")
    sigma = poly(rec["si"], T)
    check(sigma > 0, "surface tension not positive")
    check(np.diff(sigma) < 0, "surface tension not falling")
    d = np.linspace(0.0, 40.0, 81)
    for ts in np.linspace(t_lo, t_hi, 60):
        h = superheat_enthalpy(rec["vh"], rec["sh"], ts, ts + d)
        if not np.all(np.diff(h) > 0):
            faults.append("superheated enthalpy not rising at Ts = %.1f" % ts)
            break
    return faults


# ---------------------------------------------------------------------------
# Output

def write_library(path, sections):
    lines = ["; Vellox refrigerant library: identification, limits and property correlation",
             "; coefficients, one section per refrigerant. Written by tools/reflib/fit_reflib.py;",
             "; temperatures degC, PCrit kPa, DCrit kg/m3, wm kg/kmol.", ""]
    for values in sections:
        lines.append("[%s]" % values["RNumber"])
        for key in SCALAR_KEYS + ARRAY_KEYS:
            lines.append("%s=%s" % (key, values[key]))
        lines.append("")
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines))


SAT_POINT_COLUMNS = ["T", "p_dew", "p_bubble", "v_liq", "v_vap", "h_liq", "h_vap", "mu_liq",
                     "mu_vap", "k_liq", "k_vap", "sigma", "cp_liq", "cp_vap"]
SUPERHEAT_POINTS = [(-40.0, 10.0), (-20.0, 40.0), (0.0, 5.0), (10.0, 20.0), (20.0, 30.0)]


def reference_points(sat, t_lo, t_hi, count=5):
    """Table rows at `count` temperatures spread evenly over [t_lo, t_hi]."""
    rows = []
    for target in np.linspace(t_lo, t_hi, count):
        k = int(np.argmin(np.abs(sat["T"] - round(target))))
        rows.append({c: sat[c][k] for c in SAT_POINT_COLUMNS})
    return rows


def write_points(path, name_rows):
    """Saturation reference points, program units, 8 significant digits; an empty
    field where the table has no value."""
    with open(path, "w", newline="\n") as f:
        f.write("# Saturated-state reference values at temperatures spread over each\n"
                "# refrigerant's fitted range; units Pa, m3/kg, J/kg, Pa s, W/(m K), N/m,\n"
                "# J/(kg K). Written by tools/reflib/fit_reflib.py.\n")
        f.write("fluid," + ",".join(SAT_POINT_COLUMNS) + "\n")
        for name, rows in name_rows:
            for row in rows:
                f.write(name + "," + ",".join(
                    "" if not np.isfinite(row[c]) else "%.8g" % row[c]
                    for c in SAT_POINT_COLUMNS) + "\n")


def write_superheat_points(path, name_rows):
    with open(path, "w", newline="\n") as f:
        f.write("# Superheated-vapour reference enthalpies: saturation (dew) temperature Ts\n"
                "# degC, superheat d K, enthalpy h J/kg. Written by tools/reflib/fit_reflib.py.\n")
        f.write("fluid,Ts,d,h\n")
        for name, rows in name_rows:
            for ts, d, h in rows:
                f.write("%s,%g,%g,%.8g\n" % (name, ts, d, h))


# ---------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("refdata", help="folder of the reference property tables")
    parser.add_argument("output", help="library file to write (RefLib8.rdf)")
    parser.add_argument("--points", metavar="FOLDER",
                        help="also write reference_points.csv and superheat_points.csv there")
    parser.add_argument("--report", action="store_true",
                        help="print limits, deviations and sanity checks per refrigerant")
    args = parser.parse_args()

    with open(os.path.join(args.refdata, "fluids.json")) as f:
        info = {entry["name"]: entry for entry in json.load(f)["fluids"]}

    sections, sat_points, sup_points, report = [], [], [], []
    for index, entry in enumerate(FLUIDS):
        name, stem, components = entry[0], entry[1], entry[4]
        blend = components > 1
        sat, sup = load_fluid(args.refdata, stem)
        t_crit = info[name]["T_crit_C"]
        if name == "R22":
            values = dict(BUILTIN_R22)
            rec = {key: parse_array(values[key]) for key in ARRAY_KEYS}
            t_min, t_max = float(values["TMin"]), float(values["TMax"])
            upper = 0.8 * float(values["TCrit"]) + 0.2 * t_max
            t_lo, t_hi = sat["T"][0], min(sat["T"][-1], math.ceil(upper))
        else:
            t_min, t_max, upper, (t_lo, t_hi) = choose_limits(t_crit, sat["T"][0], sat["T"][-1])
            rec = fit_fluid(sat, sup, t_lo, t_hi, t_crit, blend, upper)
            values = fluid_record(index, entry, info[name], (t_min, t_max))
            for key in ARRAY_KEYS:
                values[key] = ", ".join(fmt(c) for c in rec[key])
            # Evaluate what is written, not the unrounded fit.
            rec = {key: parse_array(values[key]) for key in ARRAY_KEYS}
        sections.append(values)
        sat_points.append((name, reference_points(sat, t_lo, t_hi)))
        h_table = {(ts, d): h for ts, d, h in zip(sup["Ts"], sup["d"], sup["h"])}
        sup_points.append((name, [(ts, d, h_table[(ts, d)]) for ts, d in SUPERHEAT_POINTS]))
        report.append((name, t_min, t_max, upper, t_lo, t_hi, rec["vh"][4],
                       deviations(rec, sat, sup, t_lo, t_hi),
                       sanity_faults(rec, t_lo, upper, blend)))

    write_library(args.output, sections)
    if args.points:
        write_points(os.path.join(args.points, "reference_points.csv"), sat_points)
        write_superheat_points(os.path.join(args.points, "superheat_points.csv"), sup_points)

    if args.report:
        keys = list(report[0][7].keys())
        print("%-11s %6s %5s %6s %11s %9s  %s" % ("fluid", "TMin", "TMax", "upper", "fitted",
                                                  "vh4", "  ".join(keys)))
        for name, t_min, t_max, upper, t_lo, t_hi, vh4, dev, faults in report:
            print("%-11s %6.1f %5.1f %6.1f %5.0f..%-5.0f %9.0f  %s%s" % (
                name, t_min, t_max, upper, t_lo, t_hi, vh4,
                "  ".join("%*.2f" % (len(k), dev[k]) for k in keys),
                ("  SANITY: " + "; ".join(faults)) if faults else ""))
    return 0


if __name__ == "__main__":
    sys.exit(main())
