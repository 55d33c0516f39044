@echo off
rem zubkimport-job.cmd - imports one bookings file with zubkimport.exe and acts on its exit
rem code, as the Windows Task Scheduler runs it (see zubkimport-task.xml).
rem
rem Adjust the folders below. The parameter file VEXLO00P.TXT lies beside the bookings file.
rem zubkimport's output and this job's messages are added to the log file. What happens after
rem the run, by zubkimport's exit code (the same as examples/zubkimport-job on Linux):
rem
rem   0  every record imported (or no input file, or an empty one): the input file is moved
rem      into the archive folder, named with the date and time of the run.
rem   2  some records were not imported; they are named in the log and are in the reject file
rem      (REJECT_FILE in the parameter file). The input file and the reject file stay, and the
rem      file INPUT.held is written: while it is there, this job imports nothing from the input
rem      file again (that would insert the records that went in a second time). To go on:
rem      correct the reject file, move the input file into the archive, put the corrected
rem      reject file in its place and delete INPUT.held.
rem   4  the run stopped early; the records not imported are in the reject file. The input
rem      file goes into the archive (its name ends in ".stopped") and the reject file takes
rem      its place, so that the next run imports exactly the records still missing.
rem   1, 3, 5 and anything else: an alert; nothing is moved.
rem
rem Alerts are written to the log and to the Application event log (source zubkimport; the
rem first one needs administrative rights to register that source). The job ends with
rem zubkimport's exit code, which the Task Scheduler shows as the task's "Last Run Result".

setlocal EnableExtensions

set "ZUBK_PROGRAM=C:\Program Files\zubkimport\zubkimport.exe"
set "INBOX=D:\zubk\in"
set "INPUT=zutctrl.vexlo62p.txt"
set "ARCHIVE=D:\zubk\archive"
set "LOG=D:\zubk\log\zubkimport.log"
set "SECTION=VEXLO62P"
set "TERMINAL=ZutCtrl"

for %%L in ("%LOG%") do if not exist "%%~dpL" mkdir "%%~dpL"

rem The "Start in" folder: the folder of the bookings and the parameter file, whatever the
rem task says.
if not exist "%INBOX%\" (
    >>"%LOG%" echo %DATE% %TIME% zubkimport-job: ERROR: the folder %INBOX% is not there
    exit /b 3
)
cd /d "%INBOX%"

rem The reject file named in the parameter file ("N;REJECT_FILE;name"), relative to INBOX.
set "REJECT="
if exist VEXLO00P.TXT (
    for /f "usebackq tokens=2,* delims=;" %%a in ("VEXLO00P.TXT") do (
        if "%%a"=="REJECT_FILE" if not defined REJECT set "REJECT=%%b"
    )
)

if exist "%INPUT%.held" (
    call :alert "%INPUT% is held after an earlier run that did not import every record; nothing imported. Correct the reject file, put it in place of the input file and delete %INPUT%.held"
    exit /b 2
)

>>"%LOG%" echo ==== %DATE% %TIME% zubkimport %SECTION% %TERMINAL% %INBOX%\%INPUT%
"%ZUBK_PROGRAM%" %SECTION% %TERMINAL% "%INBOX%\%INPUT%" >>"%LOG%" 2>&1
set "STATUS=%ERRORLEVEL%"

rem The date and time for archived names, the same on every system locale; where PowerShell
rem is missing, made from %DATE% and %TIME% without their separators.
set "STAMP="
for /f %%t in ('powershell -NoProfile -Command "Get-Date -Format yyyyMMdd-HHmmss" 2^>nul') do set "STAMP=%%t"
if not defined STAMP set "STAMP=%DATE%-%TIME%"
set "STAMP=%STAMP:/=%"
set "STAMP=%STAMP::=%"
set "STAMP=%STAMP:.=%"
set "STAMP=%STAMP:,=%"
set "STAMP=%STAMP: =%"

if "%STATUS%"=="0" goto imported
if "%STATUS%"=="2" goto some_rejected
if "%STATUS%"=="4" goto stopped
if "%STATUS%"=="1" call :alert "zubkimport was called with the wrong arguments (exit code 1)"
if "%STATUS%"=="3" call :alert "nothing imported from %INPUT%: it could not be read, is damaged or in use by another run, or an unexpected error occurred (exit code 3)"
if "%STATUS%"=="5" call :alert "nothing imported: the parameter file %INBOX%\VEXLO00P.TXT is missing or not valid (exit code 5)"
if not "%STATUS%"=="1" if not "%STATUS%"=="3" if not "%STATUS%"=="5" (
    call :alert "zubkimport ended with the unexpected exit code %STATUS%; nothing moved"
)
exit /b %STATUS%

:imported
if not exist "%INPUT%" (
    call :log "no bookings file %INPUT%: nothing to import"
    exit /b 0
)
call :archive_name ""
move /y "%INPUT%" "%TARGET%" >nul
if errorlevel 1 (
    call :alert "imported, but %INPUT% could not be moved into %ARCHIVE%: move it by hand before the next run, or it is imported again"
    exit /b 3
)
call :log "imported; %INPUT% archived as %TARGET%"
exit /b 0

:some_rejected
>"%INPUT%.held" echo exit code 2 on %DATE% %TIME%, reject file %REJECT%
call :alert "some records of %INPUT% were not imported (see the log); they are in the reject file %REJECT%. %INPUT% is held: correct the records, put them in place of the input file and delete %INPUT%.held"
exit /b 2

:stopped
if not defined REJECT goto stopped_as_is
if not exist "%REJECT%" goto stopped_as_is
call :archive_name ".stopped"
move /y "%INPUT%" "%TARGET%" >nul
if errorlevel 1 goto stopped_not_swapped
move /y "%REJECT%" "%INPUT%" >nul
if errorlevel 1 goto stopped_not_swapped
call :log "the run stopped early; %INPUT% now holds the records not yet imported (the original is %TARGET%); the next run imports them"
exit /b 4
:stopped_not_swapped
call :alert "the run stopped early, and putting the reject file %REJECT% in place of %INPUT% failed: do it by hand before the next run"
exit /b 4
:stopped_as_is
call :log "the run stopped early; %INPUT% is left as it is for the next run"
exit /b 4

rem :archive_name SUFFIX sets TARGET to the input file's name in the archive folder, with the
rem run's date and time and SUFFIX, and makes the folder. What is archived already is never
rem overwritten, even by two runs within the same second.
:archive_name
if not exist "%ARCHIVE%" mkdir "%ARCHIVE%"
set "TARGET=%ARCHIVE%\%INPUT%.%STAMP%%~1"
if exist "%TARGET%" set "TARGET=%ARCHIVE%\%INPUT%.%STAMP%-%RANDOM%%~1"
exit /b 0

rem :log "text" adds a line to the log file. The redirection comes first so that a text ending
rem in a digit is not read as the number of the stream to redirect.
:log
>>"%LOG%" echo %DATE% %TIME% zubkimport-job: %~1
exit /b 0

rem :alert "text" adds a line to the log file and an error to the Application event log.
:alert
>>"%LOG%" echo %DATE% %TIME% zubkimport-job: ERROR: %~1
>&2 echo zubkimport-job: %~1
eventcreate /l APPLICATION /so zubkimport /t ERROR /id 402 /d "%~1" >nul 2>&1
exit /b 0
