/* The class that orrery_details_server.dll registers, for the server and for
   the tests of the details window and the "-V" start. */
#ifndef ORRERY_TESTS_SERVERS_DETAILS_SERVER_IDS_H
#define ORRERY_TESTS_SERVERS_DETAILS_SERVER_IDS_H

#define DETAILS_CLSID "{7A3D0E01-6C2F-4B1A-8D3E-5F6A7B8C9D01}"
#define DETAILS_PROGID "Orrery.DetailsTest.1"
#define DETAILS_NAME "Orrery Details Test Control"
/* Below the class key: string, number, binary, multi-string and expandable
   values. */
#define DETAILS_VALUES_KEY "Settings"

#endif
