// Output conventions of resoni-analyze: CSV with a header line on standard output, numbers with
// 17 significant digits in the C locale, JSON on request, errors on standard error. The number
// and JSON texts are the core library's, so the tool and the reports print alike.
#pragma once

#include "core/common/NumberText.h"
