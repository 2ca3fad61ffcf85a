// The audio library is found beside the test program like the game finds it, and only a library
// with every entry point is taken.
#include <gtest/gtest.h>

#include <QLibrary>

#include "platform/audio_library.h"
#include "platform/own_library.h"

namespace {

TEST(AudioLibrary, OnlyTheAudioLibraryItselfIsTaken) {
  struct Case {
    QString fileName;
    bool loads;
    bool resolves;
  };
  const Case cases[] = {
      {platform::audioLibraryFileName(), true, true},
      {platform::ownLibraryFileName(QStringLiteral("mpegdll")), true, false},  // not ours to play
      {platform::ownLibraryFileName(QStringLiteral("no-such-library")), false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fileName.toStdString());
    QLibrary library;
    platform::AudioEntryPoints entries;
    ASSERT_EQ(platform::loadOwnLibrary(library, c.fileName), c.loads);
    if (c.loads) {
      EXPECT_EQ(platform::resolveAudioEntryPoints(library, entries), c.resolves);
    }
  }
  EXPECT_NE(platform::audioLibrary(), nullptr);
}

}  // namespace
