#pragma once

#include "core/buildversion.h"

#include <QString>

// Identity of this build. The organisation and application names also name
// the per-user settings store and the updater's lock, so the updater program
// includes this header too. The version comes from the configured build
// (TESSARIL_LAUNCHER_VERSION), so a newer launcher can be built from the same
// tree to try the self-update.
inline constexpr char kLauncherVersion[] = TESSARIL_LAUNCHER_VERSION;
inline constexpr char kBuildEnvironment[] = "prod-os";
inline constexpr char kReleaseStage[] = "";
inline constexpr char kOrganizationName[] = "Vantor";
inline constexpr char kApplicationName[] = "Tessaril";

// The environments served by the domestic publisher; "prod-os" is not one.
bool isDomesticEnvironment(const QString &name);

// The maker's web domain, set at build time; names the updater's lock.
QString organizationDomain();

// "<domain>_<application>_update": held by the updater while it runs.
QString updateMutexName();
