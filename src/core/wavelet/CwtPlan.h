// One run of the transform as the wavelet's transform operation sees it: the samples, the
// scale grid and the output geometry. Built by the engine (CCwt) for each request.
#pragma once

class AbortToken;
class CDataSetWindow;
class CScaleGrid;

struct CwtPlan
{
    const CDataSetWindow* window = nullptr; // the samples, read at sample indices
    const CScaleGrid* grid = nullptr;       // g(1 … n) in seconds: row frequency 1 / g
    long rows = 0;                          // n
    long columns = 0;                       // m
    long resolution = 0;                    // N: (least) points at which the wavelet is sampled
    bool fixedResolution = false;           // exactly N points at every scale (see CwtRequest)
    float centre = 1.0f;                    // f_c: the wavelet's scale of row i is f_c·g(i)
    float startTime = 0.0f;                 // seconds
    float endTime = 0.0f;                   // seconds
    float rate = 0.0f;                      // samples per second
    const AbortToken* abort = nullptr;      // raised: the remaining rows are skipped
};
