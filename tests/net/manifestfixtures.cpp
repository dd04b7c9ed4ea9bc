#include "tests/net/manifestfixtures.h"

namespace fixtures {

const char *const kManifestTemplate = R"({"data":{"game":{"latest":{
            "path":"%1","version":"2.1.0","entry":"Quorvela.exe","name":"game_2.1.0.zip",
            "md5":"ABCDEF"%2},
            "diffs":[
              {"version":"2.0.0","name":"d.zip","md5":"d5","path":"https://cdn.example/d.zip","size":"3221225472"},
              {"version":"1.9.0","name":"n.zip","md5":"n5","path":"https://cdn.example/n.zip","size":1024}
            ]},
            "plugin":{"plugins":[{"path":"https://cdn.example/plugin.zip"}]} %3}})";
const char *const kLaterDiff
    = R"({"data":{"game":{"diffs":[{"version":"2.0.0","path":"https://x/new.zip","size":"5"}]}}})";
const char *const kForceUpdateAndWebUrl
    = R"(,"force_update":{"min_version":"2.0.0.0","url":"https://f"},"web_url":"https://first")";
const char *const kSecondWebUrl = R"(,"web_url":"https://second")";
const char *const kContentFull
    = R"({"data":{"adv":{"background":"https://bg.png","url":"https://go","icon":"https://i.png"}}})";
const char *const kContentUrlOnly = R"({"data":{"adv":{"url":"https://go2"}}})";
const char *const kTruncatedManifest = R"({"data":{"game":{"latest":{"version":"9")";
const char *const kWebUrlOnly = R"(,"web_url":"https://w")";
const char *const kWrongTypes = R"({"data":{"game":{"latest":"2.1.0","diffs":{"version":"1"}},
                                "plugin":{"plugins":"x"},"force_update":[1,2],"web_url":42}})";
const char *const kDataNotAnObject = R"({"data":"nothing"})";
const char *const kArrayRoot = R"([1,2,3])";
const char *const kLatestWrongTypes
    = R"({"data":{"game":{"latest":{"size":"lots","version":[1]}}}})";

} // namespace fixtures
