#include "dates/AgentLink.h"

#include "common/Names.h"

bool StartAgent(platform::Platform& p, platform::WindowHandle owner) {
    const std::string agent = ProgramFolder(p.process) + "Agent.exe";
    if (!p.files.FileExists(agent)) return false;
    p.shell.Open(owner, agent, "", "", platform::ShowNormal);
    return true;
}

void CloseAgent(platform::Platform& p) {
    const platform::WindowHandle window = p.windows.Find("TApplication", "Orvella Agent");
    if (!window) return;
    const std::uint32_t process = p.windows.ProcessId(window);
    if (process) p.windows.TerminateProcess(process);
}
