#include "foundation/ToolWindows.h"

#include "resources/StringIds.h"

#include <algorithm>

const std::vector<ToolWindowInfo>& ToolWindows() {
    static const std::vector<ToolWindowInfo> windows = {
        // name                         core   reopen caption                          help
        {WindowNames::Integrator, false, -1, 0, 0},
        {WindowNames::ScanningCentre, true, -1, TextId::Scan::Caption, 1},
        {WindowNames::Coordinator, true, 0, TextId::Coordinator::Caption, 2},
        {WindowNames::MusicCataloguer, true, 1, TextId::Launcher::MusicCataloguer, 3},
        {WindowNames::DuplicateFinder, true, 2, TextId::Duplicates::Caption, 4},
        {WindowNames::PlaylistManager, true, 3, TextId::Launcher::PlaylistManager, 5},
        {WindowNames::EncoderDecoder, true, 4, TextId::Encoder::Caption, 6},
        {WindowNames::CDRipper, false, 5, TextId::Ripper::Caption, 18},
        {WindowNames::MassTagging, false, 6, TextId::MassTagging::Caption, 2},
    };
    return windows;
}

const ToolWindowInfo* FindToolWindow(const QString& name) {
    for (const ToolWindowInfo& window : ToolWindows())
        if (window.name == name) return &window;
    return nullptr;
}

ToolWindowInfo ToolWindow(const QString& name) {
    if (const ToolWindowInfo* window = FindToolWindow(name)) return *window;
    ToolWindowInfo unknown;
    unknown.name = name;
    return unknown;
}

const QStringList& ReopenableWindows() {
    static const QStringList names = [] {
        std::vector<const ToolWindowInfo*> reopened;
        for (const ToolWindowInfo& window : ToolWindows())
            if (window.reopenOrder >= 0) reopened.push_back(&window);
        std::sort(reopened.begin(), reopened.end(),
                  [](const ToolWindowInfo* a, const ToolWindowInfo* b) { return a->reopenOrder < b->reopenOrder; });
        QStringList list;
        for (const ToolWindowInfo* window : reopened) list << window->name;
        return list;
    }();
    return names;
}

bool IsCoreTool(const QString& formName) {
    const ToolWindowInfo* window = FindToolWindow(formName);
    return window && window->coreTool;
}
