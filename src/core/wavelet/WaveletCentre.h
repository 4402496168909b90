// The centre frequency f_c of a wavelet: the frequency, in cycles per wavelet time unit, at which
// the magnitude of its spectrum peaks. A row meant for f Hz is analysed at the scale f_c / f
// seconds, so a tone of f Hz meets the wavelet's spectral peak in that row: 1 for Morlet and
// B-spline, 2α/(2α + 1) for Cauchy, about 0.15 for the Mexican hat as defined here.
#pragma once

class signal_fkt;

// f_c from the sampled form of the initialised and parsed wavelet (kCwtCentrePoints points over
// its support, both parts for complex wavelets): the largest local maximum of |Ψ(ν)| over ν ≠ 0
// (either sign), Ψ(ν) = Σ ψ(t_k)·e^(−2πiν·t_k), found on a grid eight times finer than
// 1 / (rsupp − lsupp) and refined by a parabola through the logarithms of the three values
// around it. A spectrum that only falls away from ν = 0 has no such peak: the result is then 1.
// The result is at most 1: every wavelet here peaks at or below one cycle per time unit (Morlet
// and B-spline carry exactly one), and a larger value could only come from a sampling too coarse
// for the wavelet's oscillation (a Cauchy order in the millions).
float waveletCentreFrequency(signal_fkt& wavelet);

inline constexpr long kCwtCentrePoints = 1024;
