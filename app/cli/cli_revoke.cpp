// revoke: the start's clean-up of permissions alone. What runs that have
// ended left on the grants journal is revoked, a live run's is left; each
// driver key is told with what was done and why.
#include "app/cli/cli_commands.h"
#include "i18n/translate.h"
#include "overscan/driver_permission.h"

namespace {

const char* ResultName(LeftoverGrant::Result result)
{
    switch (result) {
    case LeftoverGrant::Result::removed: return "removed";
    case LeftoverGrant::Result::gone: return "gone";
    case LeftoverGrant::Result::left: return "left";
    case LeftoverGrant::Result::failed: return "failed";
    }
    return "failed";
}

// "removed AllowEEPROMWrite under HKLM\...\Parameters: run 1234 has ended",
// in the chosen language; --json carries the English reason.
std::string TextOf(const LeftoverGrant& grant)
{
    const char* done = grant.result == LeftoverGrant::Result::removed ? "removed AllowEEPROMWrite under HKLM\\{1}: {2}"
                       : grant.result == LeftoverGrant::Result::gone  ? "found no AllowEEPROMWrite under HKLM\\{1}: {2}"
                       : grant.result == LeftoverGrant::Result::left
                           ? "left AllowEEPROMWrite under HKLM\\{1}: {2}"
                           : "failed to remove AllowEEPROMWrite under HKLM\\{1}: {2}";
    return TrFormat(done, {grant.key, TrFormat(grant.reasonFormat, {grant.reasonValue})});
}

std::string JsonOf(const LeftoverGrant& grant)
{
    JsonLine line;
    line.Text("event", "revoke").Text("key", "HKLM\\" + grant.key).Text("result", ResultName(grant.result));
    if (grant.processId) line.Number("run", grant.processId);
    else line.Null("run");
    return line.Text("reason", grant.reason).Finish();
}

}  // namespace

int RunRevoke(const CliOptions& options, const CliReport& report)
{
    const std::vector<LeftoverGrant> grants = RevokeLeftoverGrants();
    int failed = 0;
    for (const LeftoverGrant& grant : grants) {
        report.Out(options.json ? JsonOf(grant) : TextOf(grant));
        if (grant.result == LeftoverGrant::Result::failed) ++failed;
    }
    if (failed)
        return report.Error(cliexit::permissionStayed,
                            Said("{1} permission(s) could not be removed: the driver still accepts writes; run it "
                                 "again from an administrator's command prompt",
                                 {std::to_string(failed)}));
    if (grants.empty() && !options.json) report.Out(Tr("nothing to revoke: the grants journal lists no driver key"));
    return cliexit::done;
}
