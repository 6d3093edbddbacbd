#include "dates/AgentLink.h"

#include "common/Names.h"

bool StartAgent(platform::Platform& p, platform::WindowHandle owner) {
    const std::string agent = ProgramFolder(p.process) + "Agent.exe";
    if (!p.files.FileExists(agent)) return false;
    p.shell.Open(owner, agent, "", "", platform::ShowNormal);
    return true;
}

namespace {

const std::uint32_t kCloseMessage = 0x0010;  // WM_CLOSE
const std::uint32_t kCloseTimeoutMs = 2000;

}  // namespace

// Asked first, so that the agent takes its icon from the notification area as it ends; only an
// agent that does not answer is ended by force.
void CloseAgent(platform::Platform& p) {
    const platform::WindowHandle window = p.windows.Find("TApplication", "Orvella Agent");
    if (!window) return;
    if (p.windows.Ask(window, kCloseMessage, 0, 0, kCloseTimeoutMs)) return;
    const std::uint32_t process = p.windows.ProcessId(window);
    if (process) p.windows.TerminateProcess(process);
}
