#include "foundation/ui/GenreCombo.h"

#include "foundation/Errors.h"
#include "foundation/Genres.h"

#include <QComboBox>

void GenresIntoComboBox(QComboBox* combo, bool addBlank) {
    WithTrail(CallSite(QStringLiteral("GenresIntoComboBox"), combo ? combo->objectName() : QString(), addBlank), [&] {
        if (!combo) RaiseError(ErrNo::ObjectNotSet);
        combo->addItems(GenreComboItems(addBlank));
    });
}
