#include "document/recovery_copy.h"

#include <ctime>

#include "app/form1.h"
#include "document/window_title.h"
#include "platform/files/dated_copies.h"
#include "platform/files/document_files.h"
#include "platform/files/recovery_folder.h"
#include "platform/text/rtf_writer.h"

namespace pennory::document {

namespace {

constexpr std::u16string_view kRecoverQuestion = u"上次没有正常退出。要恢复未保存的文稿吗？";
constexpr std::u16string_view kRecoveredName = u"恢复的文稿";
// RecoverySlot::claim fails when the folder cannot be made or no lock file taken in it.
constexpr char16_t kNoFolderReason[] = u"无法创建文件夹。";

}  // namespace

RecoveryCopy::RecoveryCopy(platform::TimerService& timers, std::filesystem::path folder,
                           std::function<text::StyledText()> snapshot,
                           std::function<void(const std::u16string& failure)> outcome)
    : m_timers(timers),
      m_folder(std::move(folder)),
      m_snapshot(std::move(snapshot)),
      m_outcome(std::move(outcome)),
      m_timer(timers.createTimer([this] { copyInBackground(); })),
      m_outcomeTimer(timers.createTimer([this] { collectOutcome(); })) {}

RecoveryCopy::~RecoveryCopy() {
    {
        std::unique_lock lock(m_mutex);
        m_pending.reset();  // the copy goes anyway
        m_quit = true;
    }
    m_wake.notify_all();
    if (m_worker.joinable()) m_worker.join();
    // The slot removes the copy and its lock.
}

void RecoveryCopy::changed() {
    m_unsaved = true;
    auto delay = kPauseBeforeCopy;
    if (m_lastCopy) delay = std::max(delay, *m_lastCopy + kTimeBetweenCopies - m_timers.now());
    m_timer->start(delay);
}

void RecoveryCopy::settled() {
    m_unsaved = false;
    m_timer->stop();
    std::unique_lock lock(m_mutex);
    m_pending.reset();
    m_wake.wait(lock, [this] { return !m_busy; });
    if (m_slot) m_slot->remove();
    // A file holds the work now: a copy that could not be written no longer matters.
    m_written.reset();
    lock.unlock();
    report({});
}

bool RecoveryCopy::claimSlot() {
    std::unique_lock lock(m_mutex);
    if (!m_slot) m_slot = files::RecoverySlot::claim(m_folder);
    return m_slot != nullptr;
}

void RecoveryCopy::report(const std::u16string& failure) {
    if (m_outcome) m_outcome(failure);
}

void RecoveryCopy::collectOutcome() {
    std::optional<std::u16string> written;
    {
        std::unique_lock lock(m_mutex);
        if (m_pending || m_busy) {
            m_outcomeTimer->start(kOutcomePoll);
            return;
        }
        written.swap(m_written);
    }
    if (written) report(*written);
}

void RecoveryCopy::copyInBackground() {
    m_timer->stop();
    if (!m_unsaved) return;
    if (!claimSlot()) {
        report(kNoFolderReason);
        return;
    }
    m_lastCopy = m_timers.now();
    text::StyledText snapshot = m_snapshot();
    {
        std::unique_lock lock(m_mutex);
        m_pending = std::move(snapshot);  // a copy not yet begun is out of date
        if (!m_worker.joinable()) m_worker = std::thread([this] { work(); });
    }
    m_wake.notify_all();
    m_outcomeTimer->start(kOutcomePoll);
}

bool RecoveryCopy::writeNow() {
    m_timer->stop();
    if (!m_unsaved) return true;
    if (!claimSlot()) {
        report(kNoFolderReason);
        return false;
    }
    m_lastCopy = m_timers.now();
    const text::StyledText content = m_snapshot();
    std::unique_lock lock(m_mutex);
    m_pending.reset();
    m_wake.wait(lock, [this] { return !m_busy; });
    const auto written = m_slot->write(
        [&](const text::ByteSink& sink) { return text::writeRtf(content, sink); });
    m_written.reset();  // this outcome is newer than any the worker left
    lock.unlock();
    report(written.ok ? std::u16string() : written.message);
    return written.ok;
}

void RecoveryCopy::finishWriting() {
    std::unique_lock lock(m_mutex);
    m_wake.wait(lock, [this] { return !m_pending && !m_busy; });
}

void RecoveryCopy::work() {
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_quit || m_pending; });
        if (m_quit) return;
        const text::StyledText content = std::move(*m_pending);
        m_pending.reset();
        m_busy = true;
        lock.unlock();
        // The RTF goes to the file as it is made, so that a manuscript of photos is never held
        // twice. A newer snapshot makes this one pointless; settled() coming meanwhile waits
        // for m_busy, so the write still comes before its removal.
        std::optional<std::u16string> written;
        bool outdated = false;
        const auto result = m_slot->write([&](const text::ByteSink& sink) {
            return text::writeRtf(content, [&](std::string_view piece) {
                std::lock_guard newer(m_mutex);
                outdated = m_pending.has_value() || m_quit;
                return !outdated && sink(piece);
            });
        });
        if (!outdated) written = result.ok ? std::u16string() : result.message;
        lock.lock();
        if (written) m_written = std::move(written);
        m_busy = false;
        m_wake.notify_all();
    }
}

namespace {

bool offerAbandonedCopies(app::Form1& form, const std::filesystem::path& folder) {
    const auto copies = files::abandonedCopies(folder);
    if (copies.empty()) return false;

    const bool recover = form.msgBox(kRecoverQuestion, platform::vbYesNo) == platform::vbYes;
    std::size_t setAsideFrom = 0;
    bool recovered = false;
    if (recover) {
        auto& editor = form.RichTextBox1();
        const auto loaded = files::loadDocument(copies.front().copy, editor.defaultFormat());
        if (loaded.result.ok) {
            editor.setContent(loaded.content);
            showFileInTitle(form, kRecoveredName);
            recovered = true;
            // The loaded text is this program's copy now, before the old one goes.
            // Should that fail, the old copy is kept under a dated name instead.
            form.recoveryCopy()->changed();
            if (form.recoveryCopy()->writeNow()) {
                files::discard(copies.front());
                setAsideFrom = 1;
            }
        }
    }
    for (std::size_t i = setAsideFrom; i < copies.size(); ++i) files::setAside(copies[i]);
    return recovered;
}

}  // namespace

bool offerRecovery(app::Form1& form) {
    const auto& folder = form.services().recoveryFolder;
    if (folder.empty() || !form.recoveryCopy()) return false;
    const bool recovered = offerAbandonedCopies(form, folder);
    files::removeOutdatedCopies(folder, std::time(nullptr));
    return recovered;
}

}  // namespace pennory::document
