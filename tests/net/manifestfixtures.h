#pragma once

// JSON bodies for the manifest tests; kept out of the test file since moc
// cannot read raw string literals.
namespace fixtures {

extern const char *const kManifestTemplate;
extern const char *const kLaterDiff;
extern const char *const kForceUpdateAndWebUrl;
extern const char *const kSecondWebUrl;
extern const char *const kContentFull;
extern const char *const kContentUrlOnly;
extern const char *const kTruncatedManifest;
extern const char *const kWebUrlOnly;
extern const char *const kWrongTypes;
extern const char *const kDataNotAnObject;
extern const char *const kArrayRoot;
extern const char *const kLatestWrongTypes;

} // namespace fixtures
