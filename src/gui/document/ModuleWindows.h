// The eight module windows: their "&Ansicht" command, resource number, window title and layout slot.
#pragma once

#include <QString>

#include <array>

class CModuleChildFrame;
class CResoniDoc;

enum class Module { Zeitreihe, FFT, FFT3D, Notenbild, Sono, Reko, Analyse, Wavelet };
constexpr int kModuleCount = 8;

struct ModuleInfo
{
    Module module;
    const char* command;   // menu text under "&Ansicht"
    int resource;          // resource number the frame is created with
    const char* title;     // window title (first field of that resource's string)
    int layoutSlot;        // placement slot in the profiles
    const char* frameClass;
    const char* viewClass;
    CModuleChildFrame* (*create)(CResoniDoc& doc); // new frame with its view; the caller owns it
};

// In the order of the "&Ansicht" menu.
const std::array<ModuleInfo, kModuleCount>& moduleTable();
const ModuleInfo& moduleInfo(Module m);

// The order in which start-up reopens the windows a profile lists.
constexpr std::array<Module, kModuleCount> kStartupModuleOrder = {
    Module::Reko, Module::Zeitreihe, Module::FFT, Module::Sono,
    Module::FFT3D, Module::Analyse, Module::Notenbild, Module::Wavelet};
