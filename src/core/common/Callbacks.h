// Callbacks through which engines talk to whoever runs them. They are called on the thread
// that runs the engine; a GUI caller marshals them to its UI thread itself.
#pragma once

#include <functional>
#include <string>

// A message for the user, in the exact wording of the engine (the text may hold "\n").
using MessageCallback = std::function<void(const std::string& text)>;
