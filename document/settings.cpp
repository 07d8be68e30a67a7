#include "document/settings.h"

CSettings::CSettings() : ini(std::string()) {}

CSettings::CSettings(std::string path) : ini(std::move(path)), backed(true)
{
    const Status s = ini.load();
    loaded = static_cast<bool>(s);
    if (!loaded) {
        loadFailure = s.reason();
        ini.clear();
    }
}

std::unique_ptr<CSettings> CSettings::fromBytes(std::string_view bytes)
{
    auto store = std::make_unique<CSettings>();
    store->ini.loadBytes(bytes);
    return store;
}

int CSettings::getInt(std::string_view key, int fallback) const { return ini.getInt(kSection, key, fallback); }

std::string CSettings::getString(std::string_view key, std::string_view fallback) const
{
    return ini.getString(kSection, key, fallback);
}

void CSettings::setInt(std::string_view key, int value) { ini.setInt(kSection, key, value); }

void CSettings::setString(std::string_view key, std::string_view value) { ini.setString(kSection, key, value); }

Status CSettings::save() const
{
    if (!backed)
        return Status::success();
    if (!loaded)
        return Status::failure(path() + ": not written, it could not be read when the program started (" +
                               loadFailure + ")");
    return ini.save();
}
