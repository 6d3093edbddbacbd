#include "platform/win32/Win32Volume.h"

#include "platform/win32/WinApi.h"
#include <endpointvolume.h>
#include <mmdeviceapi.h>
#include <mmsystem.h>

#include <cmath>

#include "platform/win32/LibraryFunction.h"

namespace win32 {

namespace {

// COM and wave-out, loaded when the volume is first needed.
HRESULT StartCom(DWORD model) {
    static const auto start = LibraryFunction<decltype(CoInitializeEx)>("ole32.dll", "CoInitializeEx");
    return start ? start(nullptr, model) : E_FAIL;
}
void EndCom() {
    static const auto end = LibraryFunction<decltype(CoUninitialize)>("ole32.dll", "CoUninitialize");
    if (end) end();
}
HRESULT CreateInstance(REFCLSID type, REFIID kind, void** object) {
    static const auto create = LibraryFunction<decltype(CoCreateInstance)>("ole32.dll", "CoCreateInstance");
    return create ? create(type, nullptr, CLSCTX_ALL, kind, object) : E_FAIL;
}
MMRESULT WaveOutOpen(HWAVEOUT* handle, const WAVEFORMATEX* format) {
    static const auto open = LibraryFunction<decltype(waveOutOpen)>("winmm.dll", "waveOutOpen");
    return open ? open(handle, WAVE_MAPPER, format, 0, 0, CALLBACK_NULL) : MMSYSERR_NODRIVER;
}
MMRESULT WaveOutGetVolume(HWAVEOUT handle, DWORD* value) {
    static const auto get = LibraryFunction<decltype(waveOutGetVolume)>("winmm.dll", "waveOutGetVolume");
    return get ? get(handle, value) : MMSYSERR_NODRIVER;
}
MMRESULT WaveOutSetVolume(HWAVEOUT handle, DWORD value) {
    static const auto set = LibraryFunction<decltype(waveOutSetVolume)>("winmm.dll", "waveOutSetVolume");
    return set ? set(handle, value) : MMSYSERR_NODRIVER;
}
void WaveOutClose(HWAVEOUT handle) {
    static const auto close = LibraryFunction<decltype(waveOutClose)>("winmm.dll", "waveOutClose");
    if (close) close(handle);
}

template <class T>
class Released {
public:
    Released() = default;
    ~Released() {
        if (p) p->Release();
    }
    Released(const Released&) = delete;
    Released& operator=(const Released&) = delete;
    T* p = nullptr;
};

// The default render endpoint's volume control; the caller releases it.
IAudioEndpointVolume* OpenEndpoint() {
    Released<IMMDeviceEnumerator> enumerator;
    if (FAILED(CreateInstance(__uuidof(MMDeviceEnumerator), __uuidof(IMMDeviceEnumerator),
                              reinterpret_cast<void**>(&enumerator.p))))
        return nullptr;
    Released<IMMDevice> device;
    if (FAILED(enumerator.p->GetDefaultAudioEndpoint(eRender, eConsole, &device.p))) return nullptr;
    IAudioEndpointVolume* volume = nullptr;
    if (FAILED(device.p->Activate(__uuidof(IAudioEndpointVolume), CLSCTX_ALL, nullptr,
                                  reinterpret_cast<void**>(&volume))))
        return nullptr;
    return volume;
}

float ToScalar(std::uint16_t word) { return static_cast<float>(word) / 65535.0f; }

std::uint16_t ToWord(float scalar) {
    if (!(scalar > 0.0f)) return 0;
    if (scalar >= 1.0f) return 0xFFFF;
    return static_cast<std::uint16_t>(std::lround(scalar * 65535.0f));
}

struct Range {
    float minDb = -96.0f, maxDb = 0.0f;
};

Range VolumeRange(IAudioEndpointVolume* endpoint) {
    Range range;
    float minDb, maxDb, step;
    if (SUCCEEDED(endpoint->GetVolumeRange(&minDb, &maxDb, &step)) && minDb < maxDb) {
        range.minDb = minDb;
        range.maxDb = maxDb;
    }
    return range;
}

// The decibel form is only the way round a system without the scalar setter (Wine), which
// also answers 1.0 to every scalar read: a full scalar with a level below the top of the
// range gives that away.
bool ScalarReadIsTrue(IAudioEndpointVolume* endpoint, float scalar) {
    float decibels;
    if (scalar < 0.9999f || FAILED(endpoint->GetMasterVolumeLevel(&decibels))) return true;
    return decibels >= VolumeRange(endpoint).maxDb - 0.01f;
}

bool ReadEndpoint(IAudioEndpointVolume* endpoint, bool decibelsOnly, std::uint16_t& left, std::uint16_t& right) {
    float master;
    if (!decibelsOnly && SUCCEEDED(endpoint->GetMasterVolumeLevelScalar(&master)) &&
        ScalarReadIsTrue(endpoint, master)) {
        UINT channels = 0;
        float l, r;
        if (SUCCEEDED(endpoint->GetChannelCount(&channels)) && channels == 2 &&
            SUCCEEDED(endpoint->GetChannelVolumeLevelScalar(0, &l)) &&
            SUCCEEDED(endpoint->GetChannelVolumeLevelScalar(1, &r))) {
            left = ToWord(l);
            right = ToWord(r);
        } else {
            left = right = ToWord(master);
        }
        return true;
    }
    float decibels;
    if (FAILED(endpoint->GetMasterVolumeLevel(&decibels))) return false;
    const Range range = VolumeRange(endpoint);
    left = right = ToWord(DecibelsToScalar(decibels, range.minDb, range.maxDb));
    return true;
}

bool WriteEndpoint(IAudioEndpointVolume* endpoint, bool& decibelsOnly, std::uint16_t left, std::uint16_t right) {
    if (!decibelsOnly) {
        UINT channels = 0;
        if (SUCCEEDED(endpoint->GetChannelCount(&channels)) && channels == 2 &&
            SUCCEEDED(endpoint->SetChannelVolumeLevelScalar(0, ToScalar(left), nullptr)) &&
            SUCCEEDED(endpoint->SetChannelVolumeLevelScalar(1, ToScalar(right), nullptr)))
            return true;
        // One level for every channel: the right word, the one the program shows.
        const HRESULT result = endpoint->SetMasterVolumeLevelScalar(ToScalar(right), nullptr);
        if (SUCCEEDED(result)) return true;
        if (result != E_NOTIMPL) return false;
        decibelsOnly = true;
    }
    const Range range = VolumeRange(endpoint);
    return SUCCEEDED(
        endpoint->SetMasterVolumeLevel(ScalarToDecibels(ToScalar(right), range.minDb, range.maxDb), nullptr));
}

// Wave-out refuses an all-zero format, so the device is opened for plain CD-quality sound.
HWAVEOUT OpenWaveOut() {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(format.nChannels * format.wBitsPerSample / 8);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    HWAVEOUT handle = nullptr;
    if (WaveOutOpen(&handle, &format) != MMSYSERR_NOERROR) return nullptr;
    return handle;
}

}  // namespace

float ScalarToDecibels(float scalar, float minDb, float maxDb) {
    if (!(scalar > 0.0f)) return minDb;
    if (scalar >= 1.0f) return maxDb;
    const float decibels = maxDb + 20.0f * std::log10(scalar);
    return decibels < minDb ? minDb : decibels;
}

float DecibelsToScalar(float decibels, float minDb, float maxDb) {
    if (decibels <= minDb) return 0.0f;
    if (decibels >= maxDb) return 1.0f;
    return std::pow(10.0f, (decibels - maxDb) / 20.0f);
}

// The thread opens the device and lets it go at once; it shares nothing with the rest of the
// program. What it leaves behind is the operating system's side made ready: the libraries
// loaded and the audio service answering.
OutputDeviceWarmUp::OutputDeviceWarmUp()
    : thread_([] {
          const bool com = SUCCEEDED(StartCom(COINIT_MULTITHREADED));
          if (IAudioEndpointVolume* endpoint = OpenEndpoint()) {
              float level = 0;
              endpoint->GetMasterVolumeLevelScalar(&level);
              endpoint->Release();
          }
          if (com) EndCom();
      }) {}

OutputDeviceWarmUp::~OutputDeviceWarmUp() { thread_.join(); }

Win32Volume::~Win32Volume() {
    DropEndpoint();
    if (comStarted_) EndCom();
}

IAudioEndpointVolume* Win32Volume::Endpoint() {
    if (!triedCom_) {
        triedCom_ = true;
        // A thread that already has COM keeps it as it was.
        comStarted_ = SUCCEEDED(StartCom(COINIT_APARTMENTTHREADED));
    }
    if (!endpoint_) endpoint_ = OpenEndpoint();
    return endpoint_;
}

void Win32Volume::DropEndpoint() {
    if (endpoint_) endpoint_->Release();
    endpoint_ = nullptr;
}

bool Win32Volume::Get(std::uint16_t& left, std::uint16_t& right) {
    left = right = 0;
    if (IAudioEndpointVolume* endpoint = Endpoint()) {
        std::uint16_t l = 0, r = 0;
        if (ReadEndpoint(endpoint, decibelsOnly_, l, r)) {
            left = l;
            right = r;
            return true;
        }
        // The device may have gone away (unplugged, default changed): look again next time.
        DropEndpoint();
    }
    HWAVEOUT handle = OpenWaveOut();
    if (!handle) return false;
    DWORD value = 0;
    const bool ok = WaveOutGetVolume(handle, &value) == MMSYSERR_NOERROR;
    WaveOutClose(handle);
    if (!ok) return false;
    left = LOWORD(value);
    right = HIWORD(value);
    return true;
}

void Win32Volume::Set(std::uint16_t left, std::uint16_t right) {
    if (IAudioEndpointVolume* endpoint = Endpoint()) {
        if (WriteEndpoint(endpoint, decibelsOnly_, left, right)) return;
        DropEndpoint();
        if ((endpoint = Endpoint()) && WriteEndpoint(endpoint, decibelsOnly_, left, right)) return;
    }
    HWAVEOUT handle = OpenWaveOut();
    if (!handle) return;
    WaveOutSetVolume(handle, MAKELONG(left, right));
    WaveOutClose(handle);
}

bool Win32Volume::GetMute(bool& muted) {
    muted = false;
    BOOL value = FALSE;
    IAudioEndpointVolume* endpoint = Endpoint();
    if (!endpoint || FAILED(endpoint->GetMute(&value))) return false;
    muted = value != FALSE;
    return true;
}

void Win32Volume::SetMute(bool muted) {
    if (IAudioEndpointVolume* endpoint = Endpoint()) endpoint->SetMute(muted ? TRUE : FALSE, nullptr);
}

}  // namespace win32
