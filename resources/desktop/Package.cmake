# "cpack -G DEB" in the build folder makes mnemora_<version>-<release>_<arch>.deb from the
# install rules; the libraries it needs are found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME mnemora)
set(CPACK_PACKAGE_VENDOR "Mnemora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "flash-card program for learning, quizzes and review")
set(CPACK_PACKAGE_DESCRIPTION
    "Mnemora keeps a deck of flash cards, each with a question and an answer that may hold
text, a picture and a sound. It shows the deck as a list with a score per card, edits it,
and studies it: Learn brings the weakest cards into play a few at a time, Quiz asks every
card once and grades the run, Review shows cards until you stop.")
if(CPACK_PACKAGE_CONTACT MATCHES "example\\.org")
    unset(CPACK_PACKAGE_CONTACT CACHE)
endif()
set(CPACK_PACKAGE_CONTACT "Mnemora developers" CACHE STRING
    "Maintainer named in the Debian package; whoever builds one for others puts in their address")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Sounds play through GStreamer, whose decoders are plug-ins rather than linked libraries.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
