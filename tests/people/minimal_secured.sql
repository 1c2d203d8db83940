-- A stand-in for a secured database, as the client sees one: owner and job roles named after the
-- database, the people's table and functions. :db is the database's name.
SET password_encryption = 'scram-sha-256';
DO $$
DECLARE d text := current_database(); j text;
BEGIN
    FOREACH j IN ARRAY ARRAY['owner', 'foreman', 'storekeeper', 'reviewer', 'administrator'] LOOP
        IF to_regrole(d || '_' || j) IS NULL THEN
            EXECUTE format('CREATE ROLE %I NOLOGIN', d || '_' || j);
        END IF;
        IF j <> 'owner' THEN
            EXECUTE format('GRANT USAGE ON SCHEMA accounts_dep, cmn_contractor, cmn_gds_and_srv, '
                           'hrms_staffpos, cmn_department, adm_role TO %I', d || '_' || j);
            EXECUTE format('GRANT ALL ON ALL TABLES IN SCHEMA accounts_dep, cmn_contractor, '
                           'cmn_gds_and_srv, hrms_staffpos, cmn_department, adm_role TO %I', d || '_' || j);
            EXECUTE format('GRANT ALL ON ALL SEQUENCES IN SCHEMA accounts_dep, cmn_contractor, '
                           'cmn_gds_and_srv, hrms_staffpos, cmn_department, adm_role TO %I', d || '_' || j);
        END IF;
    END LOOP;
    EXECUTE format('ALTER SCHEMA accounts_dep OWNER TO %I', d || '_owner');
    GRANT USAGE ON SCHEMA accounts_dep TO sys;
    -- The built-in login reads no norms before a person has logged in.
    REVOKE ALL ON accounts_dep.norm FROM sys;
END $$;

CREATE TABLE IF NOT EXISTS accounts_dep.plant_person (
    login name PRIMARY KEY, full_name text NOT NULL,
    job text NOT NULL CHECK (job IN ('foreman', 'storekeeper', 'reviewer', 'administrator')),
    enabled boolean NOT NULL DEFAULT true, must_change_password boolean NOT NULL DEFAULT true,
    created_at timestamptz NOT NULL DEFAULT now());

CREATE OR REPLACE FUNCTION accounts_dep.require_admin() RETURNS void LANGUAGE plpgsql AS $$
BEGIN
    IF NOT pg_has_role(session_user, current_database() || '_administrator', 'MEMBER') THEN
        RAISE EXCEPTION 'Пользователей ведёт администратор';
    END IF;
END $$;

CREATE OR REPLACE FUNCTION accounts_dep.add_person(p_login text, p_full_name text, p_job text,
                                                   p_password text) RETURNS void
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    PERFORM accounts_dep.require_admin();
    IF to_regrole(quote_ident(p_login)) IS NOT NULL THEN
        RAISE EXCEPTION 'Имя входа % на сервере уже занято', p_login;
    END IF;
    EXECUTE format('CREATE ROLE %I LOGIN PASSWORD %L IN ROLE %I', p_login, p_password,
                   current_database() || '_' || p_job);
    INSERT INTO accounts_dep.plant_person (login, full_name, job) VALUES (p_login, btrim(p_full_name), p_job);
END $$;

CREATE OR REPLACE FUNCTION accounts_dep.set_person_job(p_login text, p_job text) RETURNS void
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
DECLARE old text;
BEGIN
    PERFORM accounts_dep.require_admin();
    SELECT job INTO STRICT old FROM accounts_dep.plant_person WHERE login = p_login FOR UPDATE;
    EXECUTE format('REVOKE %I FROM %I', current_database() || '_' || old, p_login);
    EXECUTE format('GRANT %I TO %I', current_database() || '_' || p_job, p_login);
    UPDATE accounts_dep.plant_person SET job = p_job WHERE login = p_login;
END $$;

CREATE OR REPLACE FUNCTION accounts_dep.reset_person_password(p_login text, p_password text)
RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    PERFORM accounts_dep.require_admin();
    EXECUTE format('ALTER ROLE %I PASSWORD %L', p_login, p_password);
    UPDATE accounts_dep.plant_person SET must_change_password = true WHERE login = p_login;
END $$;

CREATE OR REPLACE FUNCTION accounts_dep.set_person_enabled(p_login text, p_enabled boolean)
RETURNS void LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    PERFORM accounts_dep.require_admin();
    EXECUTE format('ALTER ROLE %I %s', p_login, CASE WHEN p_enabled THEN 'LOGIN' ELSE 'NOLOGIN' END);
    UPDATE accounts_dep.plant_person SET enabled = p_enabled WHERE login = p_login;
END $$;

CREATE OR REPLACE FUNCTION accounts_dep.change_own_password(p_password text) RETURNS void
LANGUAGE plpgsql SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    EXECUTE format('ALTER ROLE %I PASSWORD %L', session_user, p_password);
    UPDATE accounts_dep.plant_person SET must_change_password = false WHERE login = session_user;
END $$;

CREATE OR REPLACE FUNCTION accounts_dep.current_person()
RETURNS TABLE (login text, full_name text, job text, must_change_password boolean)
LANGUAGE sql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
    SELECT p.login::text, p.full_name, p.job, p.must_change_password FROM accounts_dep.plant_person p
     WHERE p.login = session_user AND p.enabled;
$$;

CREATE OR REPLACE FUNCTION accounts_dep.list_people()
RETURNS TABLE (login text, full_name text, job text, enabled boolean)
LANGUAGE plpgsql STABLE SECURITY DEFINER SET search_path = pg_catalog, pg_temp AS $$
BEGIN
    PERFORM accounts_dep.require_admin();
    RETURN QUERY SELECT p.login::text, p.full_name, p.job, p.enabled FROM accounts_dep.plant_person p
                  ORDER BY p.full_name, p.login;
END $$;
