#pragma once

// The UDP server's receive callback: datagrams are taken in and dropped.
int IgnoreDatagram(char* data, int length);
