#include "foundation/OptionRecords.h"

OptionRecords& Options() {
    static OptionRecords options;
    return options;
}
