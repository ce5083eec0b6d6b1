// The settings record and its settings file.
#include "app/Settings.h"

namespace tessarin {

TAppSettings AppSettings;

}  // namespace tessarin
