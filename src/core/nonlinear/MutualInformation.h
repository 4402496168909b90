// Mutual information between a series and its delayed copy, and the Shannon entropy of the
// series, over B equal boxes of the series rescaled to [0, 1] (the time-series view's mode 2).
#pragma once

#include "core/common/AbortToken.h"
#include "core/common/Callbacks.h"

#include <span>
#include <string>
#include <vector>

struct MutualInformationResult
{
    bool computed = false;  // false for at most 100 values, a constant series or an allocation failure
    int boxes = 0;          // B used
    int maxDelay = 0;       // T used (reduced to n − 1 when T ≥ n)
    // I(τ) for τ = 0 … T in nats: with b_i the box of value i, P = n − τ pairs (b_{i−τ}, b_i),
    // I(τ) = Σ_{a,d} p12·ln(p12 / p2 / p1) over the boxes with p1 = #(b_{i−τ}=a)/P,
    // p2 = #(b_i=d)/P, p12 = #(both)/P all > 0. I(0) is the Shannon entropy of the boxes.
    std::vector<double> information;
    double entropy = 0.0;       // I(0)
    double largestDelayed = 0.0; // largest I(τ) for τ ≥ 1, starting from 0
    int firstMinimum = 0;        // delay of the first minimum, 0 = not found
};

// The computation of the view: B below 1 is taken as 1 and a negative T as 0 (the view's
// fields accept any number). Boxes: b = B − 1 for x ≥ 1, else trunc(B·x). A constant series
// shows the rescaling message of the analysis engine and raises the stop flag. The stop flag
// is also polled before every delay.
MutualInformationResult computeMutualInformation(std::span<const double> series, int boxes, int maxDelay,
                                                 AbortToken& abort, const MessageCallback& onMessage = {});

// First minimum of I(0 … T): if I(0) > I(1), the first τ = 1, 2, … < T with I(τ) ≤ I(τ + 1);
// 0 when I(0) ≤ I(1), when the walk reaches T, or when T < 1.
int firstMinimumOf(std::span<const double> information);

// The view's labels: "Shannon Entropie: " + the first six characters of the entropy written
// with 10 significant digits, and "1.Minimum: " + the delay or "nicht gefunden".
std::string entropyLabel(double entropy);
std::string firstMinimumLabel(int firstMinimum);
