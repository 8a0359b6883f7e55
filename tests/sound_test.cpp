// SPDX-License-Identifier: GPL-3.0-or-later
// Card sounds really reach a sound server: a private PulseAudio with a null sink is recorded
// through its monitor while the process-wide player plays generated tones.
#include <wx/filename.h>
#include <wx/utils.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <signal.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "app/Options.h"
#include "deck/Card.h"
#include "deck/SoundPlayer.h"

namespace
{
constexpr int SampleRate = 44100;

void Sleep(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool OnPath(const std::string& tool)
{
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts a shell command in its own process group; its output goes where the command says.
pid_t Spawn(const std::string& command)
{
    const pid_t pid = fork();
    if (pid == 0)
    {
        setpgid(0, 0);
        execl("/bin/sh", "sh", "-c", ("exec " + command).c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return pid;
}

void End(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(-pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

/// One tone found in a recording: where it sounds and at what pitch.
struct Stretch
{
    double start = 0;     ///< seconds from the start of the recording
    double length = 0;    ///< seconds from the first to the last audible moment
    double loud = 0;      ///< seconds actually audible within that stretch
    double frequency = 0; ///< Hz, the strongest frequency heard
};

// Strength of one frequency in a run of samples (Goertzel).
double Power(const std::vector<short>& samples, size_t from, size_t to, double hertz)
{
    const double coefficient = 2 * std::cos(2 * M_PI * hertz / SampleRate);
    double previous = 0;
    double beforePrevious = 0;
    for (size_t i = from; i < to && i < samples.size(); ++i)
    {
        const double current = samples[i] + coefficient * previous - beforePrevious;
        beforePrevious = previous;
        previous = current;
    }
    return previous * previous + beforePrevious * beforePrevious -
           coefficient * previous * beforePrevious;
}

// The strongest frequency between 200 and 1500 Hz. A dropout on a loaded machine widens the
// peak but does not move it, as counting zero crossings would.
double PeakFrequency(const std::vector<short>& samples, size_t from, size_t to)
{
    double best = 0;
    double strongest = -1;
    for (double hertz = 200; hertz <= 1500; hertz += 2)
    {
        const double power = Power(samples, from, to, hertz);
        if (power > strongest)
        {
            strongest = power;
            best = hertz;
        }
    }
    return best;
}

// The audible part of a mono 16-bit recording: from the first to the last 10 ms block whose
// level is well above silence.
Stretch Audible(const std::vector<short>& samples, size_t* first = nullptr, size_t* last = nullptr)
{
    const size_t block = SampleRate / 100;
    size_t begin = 0;
    size_t end = 0;
    size_t loudBlocks = 0;
    bool found = false;
    for (size_t at = 0; at + block <= samples.size(); at += block)
    {
        double energy = 0;
        for (size_t i = at; i < at + block; ++i)
            energy += double(samples[i]) * samples[i];
        if (std::sqrt(energy / block) > 1000)
        {
            if (!found)
                begin = at;
            found = true;
            end = at + block;
            loudBlocks += 1;
        }
    }
    Stretch result;
    result.loud = double(loudBlocks * block) / SampleRate;
    if (!found)
        return result;
    result.start = double(begin) / SampleRate;
    result.length = double(end - begin) / SampleRate;
    result.frequency = PeakFrequency(samples, begin, std::min(end, begin + SampleRate / 2));
    if (first)
        *first = begin;
    if (last)
        *last = end;
    return result;
}

class SoundServer : public testing::Test
{
protected:
    void SetUp() override
    {
        for (const char* tool : {"pulseaudio", "parec", "pactl", "sox"})
            if (!OnPath(tool))
                GTEST_SKIP() << "no sound server to record from: '" << tool << "' is not installed";
        char pattern[] = "/tmp/mnesoundXXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
        const std::string runtime = m_dir + "/run";
        mkdir(runtime.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (m_dir + "/config").c_str(), 1);
        setenv("PULSE_SERVER", ("unix:" + runtime + "/pulse/native").c_str(), 1);
        m_server = Spawn("pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm "
                         "--load='module-null-sink sink_name=nullsink' "
                         "--load='module-native-protocol-unix auth-anonymous=1' >'" +
                         m_dir + "/server.log' 2>&1");
        bool up = false;
        for (int i = 0; i < 100 && !up; ++i)
        {
            Sleep(50);
            up = std::system("pactl info >/dev/null 2>&1") == 0;
        }
        if (!up)
            GTEST_SKIP() << "PulseAudio could not be started here (see " << m_dir
                         << "/server.log); the sound path cannot be verified";
        Options = MneOptions();
    }

    void TearDown() override
    {
        CardSound.Stop();
        End(m_recorder);
        End(m_server);
        if (!m_dir.empty())
            std::system(("rm -rf '" + m_dir + "'").c_str());
    }

    std::string Tone(const std::string& name, double seconds, int hertz)
    {
        const std::string path = m_dir + "/" + name;
        const std::string command = "sox -n -r 44100 -c 1 '" + path + "' synth " +
                                    std::to_string(seconds) + " sine " + std::to_string(hertz);
        EXPECT_EQ(std::system(command.c_str()), 0);
        return path;
    }

    void StartRecording()
    {
        std::remove((m_dir + "/out.raw").c_str());
        m_recorder = Spawn("parec -d nullsink.monitor --raw --format=s16le --rate=44100 "
                           "--channels=1 >'" +
                           m_dir + "/out.raw'");
        // The recorder is ready once the monitor's (silent) samples start to arrive.
        const wxString raw = wxString::FromUTF8((m_dir + "/out.raw").c_str());
        for (int i = 0; i < 150 && (!wxFileName::FileExists(raw) || wxFileName::GetSize(raw) == 0);
             ++i)
            Sleep(20);
        Sleep(100);
    }

    std::vector<short> Recorded()
    {
        std::ifstream in(m_dir + "/out.raw", std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                std::istreambuf_iterator<char>());
        std::vector<short> samples(bytes.size() / 2);
        for (size_t i = 0; i < samples.size(); ++i)
            samples[i] =
                short((unsigned char)bytes[2 * i] | ((unsigned char)bytes[2 * i + 1] << 8));
        return samples;
    }

    // The null sink buffers generously, so a sound is heard a while after it was started.
    bool WaitUntilAudible(int limitMs = 5000)
    {
        for (int waited = 0; waited < limitMs; waited += 50)
        {
            if (Audible(Recorded()).length > 0)
                return true;
            Sleep(50);
        }
        return false;
    }

    // Waits for the player to finish (or the time limit), then stops the recorder.
    std::vector<short> FinishRecording(int limitMs = 6000)
    {
        for (int waited = 0; waited < limitMs && CardSound.IsPlaying(); waited += 20)
            Sleep(20);
        Sleep(400);
        End(m_recorder);
        m_recorder = 0;
        return Recorded();
    }

    std::string m_dir;
    pid_t m_server = 0;
    pid_t m_recorder = 0;
};
} // namespace

TEST_F(SoundServer, AToneArrivesAtTheServerAndThePlayerReportsItsEnd)
{
    const std::string beep = Tone("beep.wav", 0.5, 440);
    StartRecording();
    ASSERT_TRUE(CardSound.Play(wxString::FromUTF8(beep.c_str())));
    EXPECT_TRUE(CardSound.IsPlaying()) << "Play returns at once, while the sound goes on";
    const std::vector<short> samples = FinishRecording();
    EXPECT_FALSE(CardSound.IsPlaying());

    const Stretch heard = Audible(samples);
    ASSERT_GT(heard.length, 0) << "nothing arrived at the null sink";
    EXPECT_NEAR(heard.frequency, 440, 15);
    // Heard about as long as it is; a loaded machine may stretch it a little with dropouts.
    EXPECT_GT(heard.length, 0.4);
    EXPECT_LT(heard.length, 0.9);
}

TEST_F(SoundServer, ANewSoundReplacesOneThatIsPlaying)
{
    const std::string low = Tone("low.wav", 3.0, 440);
    const std::string high = Tone("high.wav", 0.5, 880);
    StartRecording();
    ASSERT_TRUE(CardSound.Play(wxString::FromUTF8(low.c_str())));
    ASSERT_TRUE(WaitUntilAudible());
    Sleep(300);
    ASSERT_TRUE(CardSound.Play(wxString::FromUTF8(high.c_str())));
    const std::vector<short> samples = FinishRecording();

    size_t first = 0;
    size_t last = 0;
    const Stretch heard = Audible(samples, &first, &last);
    ASSERT_GT(heard.length, 0);
    // The long low tone was cut short: far less than its three seconds were heard in all.
    EXPECT_LT(heard.loud, 1.4);
    EXPECT_GT(heard.loud, 0.7);
    const size_t edge = SampleRate / 30;
    const size_t window = SampleRate / 5;
    EXPECT_GT(Power(samples, first + edge, first + edge + window, 440),
              100 * Power(samples, first + edge, first + edge + window, 880));
    // The end of what was heard is the high tone alone, not the two mixed.
    EXPECT_GT(Power(samples, last - edge - window, last - edge, 880),
              100 * Power(samples, last - edge - window, last - edge, 440));
}

TEST_F(SoundServer, ACardPlaysItsSidesOnlyWithSoundsOn)
{
    Card card;
    card.QuestionSound = wxFileName(wxString::FromUTF8(Tone("q.wav", 0.4, 440).c_str()));
    card.AnswerSound = wxFileName(wxString::FromUTF8(Tone("a.wav", 0.4, 660).c_str()));

    Options.PlaySounds = false;
    StartRecording();
    card.PlayQuestionSound();
    EXPECT_FALSE(CardSound.IsPlaying());
    EXPECT_EQ(Audible(FinishRecording(1000)).length, 0);

    Options.PlaySounds = true;
    StartRecording();
    card.PlayAnswerSound();
    const Stretch heard = Audible(FinishRecording());
    EXPECT_NEAR(heard.frequency, 660, 20);
}

TEST_F(SoundServer, BrokenFilesAreSkippedSilentlyAndPlayingGoesOn)
{
    const std::string garbage = m_dir + "/garbage.wav";
    std::ofstream(garbage) << "RIFF this is not a sound at all";
    const std::string unicode = Tone("Gr\xC3\xBC\xC3\x9F"
                                     "e.wav",
                                     0.4, 440);

    EXPECT_FALSE(CardSound.Play(wxEmptyString));
    EXPECT_FALSE(CardSound.Play(wxString::FromUTF8((m_dir + "/missing.wav").c_str())));
    EXPECT_FALSE(CardSound.Play(wxString::FromUTF8(m_dir.c_str())));
    CardSound.Play(wxString::FromUTF8(garbage.c_str()));
    for (int waited = 0; waited < 3000 && CardSound.IsPlaying(); waited += 20)
        Sleep(20);
    EXPECT_FALSE(CardSound.IsPlaying()) << "a file that does not decode ends by itself";

    StartRecording();
    ASSERT_TRUE(CardSound.Play(wxString::FromUTF8(unicode.c_str())));
    EXPECT_NEAR(Audible(FinishRecording()).frequency, 440, 15);
}
