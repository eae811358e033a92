#include "options/MainOptions.h"

#include "cataloguer/CataloguerOptionSettings.h"
#include "coordinator/CoordinatorDialogSettings.h"
#include "coordinator/CoordinatorOptionSettings.h"
#include "encoder/EncoderOptionSettings.h"
#include "foundation/Errors.h"
#include "foundation/FirstRun.h"
#include "foundation/ReadOptions.h"
#include "foundation/SettingsStore.h"
#include "scanning/engine/ScanningCentreSettings.h"

#include <functional>
#include <optional>

void GetMainOptions(OptionRecords& records) {
    WithTrail(QStringLiteral("GetMainOptions"), [&] {
        InitialiseFirstTimeOptions();
        const std::function<void()> groups[] = {
            [&] { GetPreferences(records.Preferences); },
            [&] { GetScanningCentreOptions(records.ScanningCentre); },
            [&] { GetFileNameTagCoordinatorOptions(records.Coordinator); },
            [&] { GetFileNameTagCoordinatorAdvOptions(records.CoordinatorAdv); },
            [&] { GetMusicCataloguerHTMLOptions(records.CataloguerHTML); },
            [&] { GetHTMLCataloguerHeaderOptions(records.CataloguerHTML); },
            [&] { GetHTMLPageProperties(records.CataloguerHTML); },
            [&] { GetMusicCataloguerTextOptions(records.CataloguerText); },
            [&] { GetTextCataloguerHeaderOptions(records.CataloguerText); },
            [&] { GetEncoderDecoderOptions(records.EncoderDecoder); },
        };
        // Refused values are repaired group by group, and the first of them
        // is reported once all are read: one box, and a clean next start.
        std::optional<SvError> refused;
        for (const std::function<void()>& group : groups) {
            try {
                std::optional<SvError> error = ReadRepairing(group);
                if (error && !refused) refused = std::move(error);
            } catch (...) {
                if (refused) throw *refused;
                throw;
            }
        }
        if (refused) throw *refused;
    });
}
