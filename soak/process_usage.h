#pragma once

// What the running process holds, from /proc/self: resident memory and open file descriptors.
struct ProcessUsage {
    long residentKiB = 0;
    int openFiles = 0;
};

ProcessUsage processUsage();
