/* The classes, libraries and AppID that the test servers register, for the
   servers themselves and for the tests that look for them. */
#ifndef ORRERY_TESTS_SERVERS_TEST_SERVER_IDS_H
#define ORRERY_TESTS_SERVERS_TEST_SERVER_IDS_H

/* A control served in-process: class, ProgID, type library 1.0. */
#define TEST_CONTROL_CLSID "{7A3F0C01-5E2B-4C1D-9A8E-0B1C2D3E4F01}"
#define TEST_CONTROL_PROGID "Orrery.TestServer.1"
#define TEST_CONTROL_NAME "Orrery Test Control"
#define TEST_TYPELIB "{7A3F0C01-5E2B-4C1D-9A8E-0B1C2D3E4F10}"
#define TEST_TYPELIB_NAME "Orrery Test Library"

/* A class registered like an EXE server (LocalServer32) with an AppID. */
#define TEST_EXE_CLSID "{7A3F0C01-5E2B-4C1D-9A8E-0B1C2D3E4F02}"
#define TEST_EXE_PROGID "Orrery.TestExeServer.1"
#define TEST_EXE_NAME "Orrery Test Exe Server"
#define TEST_APPID "{7A3F0C01-5E2B-4C1D-9A8E-0B1C2D3E4F20}"

/* Below the control's class key: one value of every type. */
#define TEST_VALUES_KEY "Tarnwick Test Values"

/* The HRESULTs the failing server's entry points return. */
#define TEST_REGISTER_FAILURE 0x80040201L   /* SELFREG_E_CLASS */
#define TEST_UNREGISTER_FAILURE 0x80070005L /* E_ACCESSDENIED */

#endif
