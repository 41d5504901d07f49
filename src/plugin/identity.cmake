# The plug-in's identity as every host and format layer sees it. Everything else reads these values:
# CMake passes them to the plug-in client and generates HalvoIdentity.h from them for the C++ code.
set(HALVO_PRODUCT_NAME "Halvo")
set(HALVO_DESCRIPTION "Halvo")
set(HALVO_MANUFACTURER "Drovask")
set(HALVO_MANUFACTURER_CODE "Drvk")
set(HALVO_PLUGIN_CODE "HaDr")
set(HALVO_VERSION "1.0.0")
set(HALVO_VERSION_STRING "1.0")
set(HALVO_VERSION_CODE "0x00010000")
set(HALVO_VST_VENDOR_VERSION 100)
set(HALVO_WEBSITE "https://drovask.com")
set(HALVO_LV2_URI "https://drovask.com/plugins/halvo")
set(HALVO_AAX_IDENTIFIER "com.Drovask.Halvo")
set(HALVO_BUNDLE_ID "com.drovask.halvo")
set(HALVO_AAX_CATEGORY "0x800")
set(HALVO_AAX_NATIVE_ID_BASE "jcaa")
set(HALVO_AAX_AUDIOSUITE_ID_BASE "jyaa")
# The Windows installers' upgrade codes: fixed for good, so that each version replaces the one
# installed before it. The 32-bit installer is a product of its own, which may sit beside the 64-bit one.
set(HALVO_WINDOWS_UPGRADE_CODE_X64 "E4B3FED8-F9BF-41C2-A07C-CE28B4B8B928")
set(HALVO_WINDOWS_UPGRADE_CODE_X86 "1CDC0151-54BA-453B-88BE-D7369EA12A36")
# The namespace of the installer components both packages share (the factory presets): fixed for good,
# so that both packages, of any version, name each shared file by the same component GUID.
set(HALVO_WINDOWS_SHARED_COMPONENTS "DCA25494-430C-4B93-AFBF-675442767BD0")
# (inputs, outputs) pairs, in the order hosts are offered them.
set(HALVO_CHANNEL_CONFIGURATIONS "{2, 2}, {1, 1}")
