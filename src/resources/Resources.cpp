// The artwork is compiled into this library by the build; nothing else lives here.
