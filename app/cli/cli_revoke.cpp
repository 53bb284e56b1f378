// revoke: the start's clean-up of permissions alone. What runs that have
// ended left on the grants journal is revoked, a live run's is left; each
// driver key is told with what was done and why.
#include "app/cli/cli_commands.h"
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

// "removed AllowEEPROMWrite under HKLM\...\Parameters: run 1234 has ended"
std::string TextOf(const LeftoverGrant& grant)
{
    const char* done = grant.result == LeftoverGrant::Result::removed ? "removed"
                       : grant.result == LeftoverGrant::Result::gone  ? "found no"
                       : grant.result == LeftoverGrant::Result::left  ? "left"
                                                                      : "failed to remove";
    return std::string(done) + " AllowEEPROMWrite under HKLM\\" + grant.key + ": " + grant.reason;
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
                            std::to_string(failed) + " permission(s) could not be removed: the driver still accepts "
                                                     "writes; run it again from an administrator's command prompt");
    if (grants.empty() && !options.json) report.Out("nothing to revoke: the grants journal lists no driver key");
    return cliexit::done;
}
