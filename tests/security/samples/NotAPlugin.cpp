// A shared library without a plug-in's root object.
int sampleNotAPlugin()
{
    return 1;
}
