var signing = "ss-91f0c2d7e4b8a6";
